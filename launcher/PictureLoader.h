#pragma once
// The picture loader for group background pictures (Windows BMP files),
// used by the launcher view and the group dialog. The file is read piece by
// piece and never beyond what the bitmap can hold, so any file is safe.
//
// Accepted: a "BM" file with an information header of 40 bytes (or the
// later 52, 56, 108 and 124-byte headers, which begin the same way), width
// 1..8192, height 1..8192 either way up, one plane, 1, 4, 8, 16, 24 or 32
// bits per pixel, uncompressed (or bit fields at 16 and 32 bits), and pixel
// data that covers the picture; pixel data cut short is accepted, the rest
// filled with zeros, for pictures of at most kMaxFilledPixels. Everything
// else is refused. Files are read through the device's bounded reader, so a
// FIFO or other non-regular file is refused at once.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/gdi/WinGdi.h"

// The largest picture shown when its file is cut short (4 MB of pixels):
// no damaged header can make a short file allocate more.
inline constexpr std::uint64_t kMaxFilledPixels = 1024 * 1024;

// A DIB section (delete it with DeleteObject) or nullptr when the file
// cannot be opened or is refused. `devicePath` is a device path.
[[nodiscard]] HBITMAP LoadBackgroundPicture(std::u16string_view devicePath);

// The same from a file's bytes in memory.
[[nodiscard]] HBITMAP LoadBackgroundPictureFromBytes(std::span<const std::uint8_t> bytes);
