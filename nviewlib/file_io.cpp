#include "nviewlib/file_io.h"

#include <cstdio>
#include <memory>
#include <string>

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

bool WriteFileReplacing(const char* path, const std::uint8_t* data, std::size_t size) {
    const std::string temporary = std::string(path) + ".part";
    File file(std::fopen(temporary.c_str(), "wb"));
    if (!file) return false;
    if (WriteAndClose(std::move(file), data, size) && std::rename(temporary.c_str(), path) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace dhsu::nviewlib
