#include "nviewlib/file_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

namespace dhsu::nviewlib {
namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileClose>;

bool WriteAndClose(File file, const std::uint8_t* data, std::size_t size) {
    const bool written = std::fwrite(data, 1, size, file.get()) == size;
    return std::fclose(file.release()) == 0 && written;
}

bool Join(const char* head, const char* tail, Buffer<char>& joined) {
    const std::size_t headLength = std::strlen(head), tailLength = std::strlen(tail);
    if (!joined.Resize(headLength + tailLength + 1)) return false;
    std::memcpy(joined.data(), head, headLength);
    std::memcpy(joined.data() + headLength, tail, tailLength + 1);
    return true;
}

File CreateTemporaryBeside(const char* target, Buffer<char>& temporary) {
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const TemporarySuffix suffix = MakeTemporarySuffix(::getpid(), attempt);
        if (!Join(target, suffix.text, temporary)) return nullptr;
        // "x": made new, or not opened at all.
        File file(std::fopen(temporary.data(), "wbx"));
        if (file || errno != EEXIST) return file;
    }
    return nullptr;
}

}  // namespace

bool ReadWholeFile(const char* path, std::uint64_t maxSize, ByteBuffer& bytes) {
    File file(std::fopen(path, "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file.get());
    if (size < 0 || std::uint64_t(size) > maxSize || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    if (!bytes.Resize(static_cast<std::size_t>(size))) return false;
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool WriteNewFile(const char* path, const std::uint8_t* data, std::size_t size) {
    Buffer<char> temporary;
    File file = CreateTemporaryBeside(path, temporary);
    if (!file) return false;
    // A link fails where a file already is; a rename would replace it.
    const bool placed =
        WriteAndClose(std::move(file), data, size) && ::link(temporary.data(), path) == 0;
    std::remove(temporary.data());
    return placed;
}

}  // namespace dhsu::nviewlib
