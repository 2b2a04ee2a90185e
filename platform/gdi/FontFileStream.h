#pragma once
// A font file that FreeType reads with pread() instead of mapping it whole.
// A mapped face touches pages all over the file (and the kernel maps their
// neighbours with them), so each face of a large font held most of its file
// resident; read this way, only the tables FreeType keeps and the glyphs
// drawn take memory. FreeType reads a few bytes at a time while it opens a
// face, so reads go through a small buffer.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>

namespace zorun::gdi {

class FontFileStream {
  public:
    // nullptr when the file cannot be opened.
    [[nodiscard]] static std::unique_ptr<FontFileStream> Open(const std::string& path);
    ~FontFileStream();
    FontFileStream(const FontFileStream&) = delete;
    FontFileStream& operator=(const FontFileStream&) = delete;

    // Opens face `index` of the file; the stream must outlive the face.
    // FreeType's error code (0: done).
    FT_Error OpenFace(FT_Library library, long index, FT_Face* face);

  private:
    static constexpr unsigned long kBufferSize = 4096;

    FontFileStream(int fd, unsigned long size);
    static unsigned long Read(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                              unsigned long count);
    static void Close(FT_Stream stream);
    unsigned long ReadFile(unsigned long offset, unsigned char* buffer, unsigned long count) const;
    void CloseFile();

    FT_StreamRec stream_{};
    int fd_;
    unsigned char buffer_[kBufferSize];
    unsigned long bufferStart_ = 0, bufferLength_ = 0; // the file's bytes in buffer_
};

} // namespace zorun::gdi
