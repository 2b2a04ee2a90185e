// The icon decoder on any bytes, as an .ico file (BMP and PNG images inside)
// and as a .png file: refuse or give a picture of exactly the size asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/shell/IconImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (int wanted : {16, 32}) {
        for (const auto& icon :
             {zorun::DecodeIco(bytes, wanted), zorun::DecodePngIcon(bytes, wanted)}) {
            if (icon && (icon->size != wanted ||
                         icon->argb.size() != static_cast<std::size_t>(wanted) * wanted))
                std::abort();
        }
    }
    return 0;
}
