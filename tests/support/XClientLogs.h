#pragma once
// The logs that the X test client (tests/xclient) writes, one file per
// client in a temporary folder of the test's own: what it mapped, the close
// requests it got. The folder goes with this object.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class XClientLogs {
  public:
    XClientLogs();
    ~XClientLogs();
    XClientLogs(const XClientLogs&) = delete;
    XClientLogs& operator=(const XClientLogs&) = delete;

    // False when the temporary folder could not be made.
    [[nodiscard]] bool Ready() const { return !folder_.empty(); }
    // The file given to the client `name` with --log.
    [[nodiscard]] std::string Path(const std::string& name) const;
    [[nodiscard]] std::vector<std::string> Lines(const std::string& name) const;
    // How often the log of `name` holds exactly `line`.
    [[nodiscard]] std::size_t Count(const std::string& name, const std::string& line) const;
    // The X windows the client mapped, by title.
    [[nodiscard]] std::map<std::string, std::uint64_t> Mapped(const std::string& name) const;

  private:
    std::string folder_;
};
