#include "nviewlib/file_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include "win/temporary_name.h"

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

// In the target's folder, under the first name of our pattern that no file has.
File CreateTemporaryBeside(const char* target, Buffer<char>& temporary) {
    const char* slash = std::strrchr(target, '/');
    const std::size_t folderLength = slash ? std::size_t(slash - target) + 1 : 0;
    if (!temporary.Resize(folderLength + kTemporaryNameLength + 1)) return nullptr;
    std::memcpy(temporary.data(), target, folderLength);
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const TemporaryName name = MakeTemporaryName(::getpid(), attempt);
        std::memcpy(temporary.data() + folderLength, name.text, sizeof name.text);
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
