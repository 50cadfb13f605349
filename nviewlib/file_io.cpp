#include "nviewlib/file_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

File CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = target + TemporarySuffix(static_cast<unsigned long>(::getpid()), attempt);
        // "x": made new, or not opened at all.
        File file(std::fopen(temporary.c_str(), "wbx"));
        if (file || errno != EEXIST) return file;
    }
    return nullptr;
}

}  // namespace

bool ReadWholeFile(const char* path, std::uint64_t maxSize, std::vector<std::uint8_t>& bytes) {
    File file(std::fopen(path, "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file.get());
    if (size < 0 || std::uint64_t(size) > maxSize || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    PrepareBuffer(bytes, static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool WriteNewFile(const char* path, const std::uint8_t* data, std::size_t size) {
    std::string temporary;
    File file = CreateTemporaryBeside(path, temporary);
    if (!file) return false;
    // A link fails where a file already is; a rename would replace it.
    const bool placed =
        WriteAndClose(std::move(file), data, size) && ::link(temporary.c_str(), path) == 0;
    std::remove(temporary.c_str());
    return placed;
}

}  // namespace dhsu::nviewlib
