// The background-picture loader on any bytes: refuse or load, never crash,
// never allocate beyond what the input can fill.
#include <cstddef>
#include <cstdint>
#include <span>

#include "launcher/PictureLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (HBITMAP bitmap = LoadBackgroundPictureFromBytes(std::span(data, size)))
        DeleteObject(bitmap);
    return 0;
}
