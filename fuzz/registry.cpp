// The registry file reader on any bytes, and the writer's output read back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/kernel/RegistryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file =
        zorun::RegistryFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto text = file.Serialize();
    (void)zorun::RegistryFile::Parse(text);
    return 0;
}
