#pragma once
// Pictures compiled into the program: PNG bytes addressed by kind and number.
// Each language's resource library defines the table `zorunPictures`, ended
// by an entry with number 0.

#include <cstddef>

namespace zorun {

enum class PictureKind { Bitmap, Icon };

struct EmbeddedPicture {
    PictureKind kind;
    int number;
    const unsigned char* png;
    std::size_t size;
};

} // namespace zorun

extern const zorun::EmbeddedPicture zorunPictures[];
