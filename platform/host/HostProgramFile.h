#pragma once
// Host program files. The device's system programs (\Windows\iexplore.exe,
// \Windows\tmail.exe, ...) are small text files that say which application
// of this computer each one starts. The user can read and change them:
//
//     [Zorun Host Program]
//     # comments and blank lines are ignored
//     Icon=firefox                  optional: the icon to show for it
//     Open=Zorun.htm                optional: the arguments when it gets none
//     Application=firefox.desktop   applications by desktop file ID
//     Default=x-scheme-handler/http the default application for a MIME type
//     Category=WebBrowser           a menu application in all these categories
//     Exec=firefox --new-window %u  a command line (desktop entry quoting)
//     Program=\Windows\other.exe    another device program (and arguments)
//
//     [Arguments cplmain.cpl 3,0]
//     ...                           used when started with exactly these arguments
//
// The first line must be the header. The lines that find an application are
// tried in the order written; the first one that finds an installed one
// wins. Several values of one line are separated by ';'.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorun {

inline constexpr std::string_view kHostProgramHeader = "[Zorun Host Program]";

struct HostProgramLine {
    enum class Kind { Exec, Application, Default, Category, Program };
    Kind kind = Kind::Exec;
    std::string value; // UTF-8, trimmed
};

struct HostProgramSection {
    std::string arguments; // after "Arguments " in the section's header; empty for the main one
    std::vector<HostProgramLine> lines;
};

class HostProgramFile {
  public:
    // Files are a few hundred bytes; nothing past this is read.
    static constexpr std::size_t kSizeLimit = 64 * 1024;

    // True when the text's first line (after a UTF-8 byte order mark) is the header.
    [[nodiscard]] static bool IsHostProgramText(std::string_view text);
    // Nullopt when the text is not a host program file.
    [[nodiscard]] static std::optional<HostProgramFile> Parse(std::string_view text);

    [[nodiscard]] const HostProgramSection& Main() const { return main_; }
    [[nodiscard]] const std::vector<HostProgramSection>& ArgumentSections() const {
        return sections_;
    }
    [[nodiscard]] const std::string& Icon() const { return icon_; }
    [[nodiscard]] const std::string& Open() const { return open_; }

  private:
    HostProgramSection main_;
    std::vector<HostProgramSection> sections_;
    std::string icon_;
    std::string open_;
};

} // namespace zorun
