#include "platform/base/Log.h"

#include <cstdio>

namespace zorun {

void LogWarning(std::string_view message) {
    std::fprintf(stderr, "zorun: %.*s\n", static_cast<int>(message.size()), message.data());
}

} // namespace zorun
