#pragma once
// Pictures compiled into the program: PNG bytes addressed by kind and number,
// from the language's resources handed over at start-up.

#include <cstddef>
#include <span>

#include "platform/base/ResourceTables.h"

namespace zorun {

enum class PictureKind { Bitmap, Icon };

struct EmbeddedPicture {
    PictureKind kind;
    int number;
    const unsigned char* png;
    std::size_t size;
};

inline ResourceTables<EmbeddedPicture>& PictureTables() {
    static ResourceTables<EmbeddedPicture> tables;
    return tables;
}
// A table of the caller's own, ahead of the language's.
inline bool RegisterPictures(std::span<const EmbeddedPicture> table) {
    PictureTables().Add(table);
    return true;
}

} // namespace zorun
