#include "platform/gdi/FontFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorun::gdi {

std::unique_ptr<FontFileStream> FontFileStream::Open(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<FontFileStream>(
        new FontFileStream(fd, static_cast<unsigned long>(info.st_size)));
}

FontFileStream::FontFileStream(int fd, unsigned long size) : fd_(fd) {
    stream_.descriptor.pointer = this;
    stream_.size = size;
    stream_.read = &FontFileStream::Read;
    stream_.close = &FontFileStream::Close;
}

FontFileStream::~FontFileStream() {
    CloseFile();
}

FT_Error FontFileStream::OpenFace(FT_Library library, long index, FT_Face* face) {
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &stream_;
    return FT_Open_Face(library, &args, index, face);
}

unsigned long FontFileStream::Read(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                                   unsigned long count) {
    auto* self = static_cast<FontFileStream*>(stream->descriptor.pointer);
    // A count of 0 is a seek: 0 means it may go there.
    if (count == 0)
        return offset <= stream->size ? 0 : 1;
    if (count > kBufferSize)
        return self->ReadFile(offset, buffer, count);
    if (offset < self->bufferStart_ || offset + count > self->bufferStart_ + self->bufferLength_) {
        self->bufferStart_ = offset;
        self->bufferLength_ = self->ReadFile(offset, self->buffer_, kBufferSize);
    }
    const unsigned long have = offset + count <= self->bufferStart_ + self->bufferLength_
                                   ? count
                                   : (offset < self->bufferStart_ + self->bufferLength_
                                          ? self->bufferStart_ + self->bufferLength_ - offset
                                          : 0);
    std::memcpy(buffer, self->buffer_ + (offset - self->bufferStart_), have);
    return have;
}

unsigned long FontFileStream::ReadFile(unsigned long offset, unsigned char* buffer,
                                       unsigned long count) const {
    unsigned long done = 0;
    while (done < count && fd_ >= 0) {
        const ssize_t got =
            pread(fd_, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<unsigned long>(got);
    }
    return done;
}

void FontFileStream::Close(FT_Stream stream) {
    // FreeType closes the stream when its face goes (or could not be made);
    // the owner closes it otherwise, so the descriptor is let go of once.
    static_cast<FontFileStream*>(stream->descriptor.pointer)->CloseFile();
}

void FontFileStream::CloseFile() {
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

} // namespace zorun::gdi
