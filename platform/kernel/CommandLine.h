#pragma once
// Splitting a command line into arguments with the device's rules
// (CommandLineToArgvW): backslashes escape only quotes, "" inside quotes
// yields a quote, and the program name (argument 0) follows simpler rules.

#include <string>
#include <string_view>
#include <vector>

namespace zorun {

// The whole command line, program name first. An empty line gives one empty
// argument (the caller substitutes its own program path, as the device does).
[[nodiscard]] std::vector<std::u16string> CommandLineToArgv(std::u16string_view commandLine);

// An argument string that has no program name in front (the second parameter
// of CreateProcessW): every argument follows the rules of arguments 1.. .
// Blank input gives no arguments.
[[nodiscard]] std::vector<std::u16string> SplitArguments(std::u16string_view arguments);

} // namespace zorun
