#pragma once
// Turning a desktop entry's Exec line into a program and its arguments, as
// the desktop does: the field codes are replaced (%f %F by files, %u %U by
// URLs, %i by the icon, %c by the name, %k by the entry's file, %% by %;
// the deprecated ones are dropped), each replacement quoted, then the line
// is split with the entry's quoting rules. The program is looked up on the
// PATH.

#include <optional>
#include <string>
#include <vector>

namespace zorun::host {

struct ExecContext {
    std::vector<std::string> items; // host files and URLs to open
    std::string icon;
    std::string name;
    std::string location; // the desktop entry's file
};

// Nullopt when the line cannot be split or its program is not installed.
[[nodiscard]] std::optional<std::vector<std::string>> ExpandExecLine(const std::string& exec,
                                                                     const ExecContext& context);

// The same command run in the user's terminal emulator (xdg-terminal-exec,
// $TERMINAL, x-terminal-emulator, then the common ones); nullopt when there
// is none.
[[nodiscard]] std::optional<std::vector<std::string>>
InTerminal(const std::vector<std::string>& argv);

// The absolute path of an installed program (a name is looked up on the PATH).
[[nodiscard]] std::optional<std::string> FindProgram(const std::string& program);

} // namespace zorun::host
