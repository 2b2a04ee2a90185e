#pragma once
// The platform's own diagnostics, to stderr. The program itself logs nothing.

#include <string_view>

namespace zorun {

void LogWarning(std::string_view message);

} // namespace zorun
