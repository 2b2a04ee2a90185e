#pragma once
// What provisioning knows about a device root, kept in a hidden file in its
// \Windows folder: the stamp of the host's applications it last looked at
// (HostApplicationsStamp.h), the icon of the application each host program
// file found then, the system programs it made (it never makes one again,
// so one the user deleted stays deleted), and the files it made for each
// application of the desktop's menu with a mark of their content (a file
// the user changed is theirs and is never removed).
//
// Paths are relative to the device root, as written on the host ("Windows/
// iexplore.exe"); icons are keyed by the path folded to lower case.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zorun {

struct MadeFile {
    std::string path;
    std::uint64_t mark = 0; // TextHash of the content written
    bool operator==(const MadeFile&) const = default;
};

class HostProgramRecord {
  public:
    // Where the record lives in the device.
    static constexpr std::u16string_view kDevicePath = u"\\Windows\\zorun-host.state";
    static constexpr std::size_t kSizeLimit = 4 * 1024 * 1024;

    // An empty record for text that is not one: provisioning then looks at
    // everything again, which loses nothing.
    [[nodiscard]] static HostProgramRecord FromText(std::string_view text);
    [[nodiscard]] std::string Text() const;

    // The icon recorded for a host program file at `relative`; empty when none.
    [[nodiscard]] std::string IconFor(const std::string& relative) const;
    void SetIcon(const std::string& relative, const std::string& icon);

    std::string stamp;
    std::set<std::string> programs;                            // folded relative paths
    std::map<std::string, std::vector<MadeFile>> applications; // desktop ID -> files

    bool operator==(const HostProgramRecord&) const = default;

  private:
    std::map<std::string, std::string> icons_;
};

// A relative path as the record keys it.
[[nodiscard]] std::string FoldRecordPath(const std::string& relative);

} // namespace zorun
