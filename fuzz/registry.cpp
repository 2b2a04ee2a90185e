// The registry file reader on any bytes, and the writer's output read back:
// whatever the reader keeps, the writer writes so that reading it again
// keeps exactly that (the written text comes back unchanged).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/kernel/RegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file =
        zorun::RegistryFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto text = file.Serialize();
    if (zorun::RegistryFile::Parse(text).Serialize() != text)
        std::abort();
    return 0;
}
