#pragma once
// Whole-file reads and writes by UTF-8 path (UTF-16 at the Windows API).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dhsu::nviewlib {

// Fails for a file that cannot be opened or read or is larger than maxSize bytes. The memory
// `bytes` already holds is reused when it is large enough.
bool ReadWholeFile(const char* path, std::uint64_t maxSize, std::vector<std::uint8_t>& bytes);

// Sizes a buffer about to be overwritten: kept memory is reused without copying what it held.
inline void PrepareBuffer(std::vector<std::uint8_t>& bytes, std::size_t size) {
    if (bytes.capacity() < size) bytes = std::vector<std::uint8_t>();
    bytes.resize(size);
}

// Writes to a temporary file beside `path`, then renames it over `path`: a failure leaves
// neither a partial file nor a damaged earlier one.
bool WriteFileReplacing(const char* path, const std::uint8_t* data, std::size_t size);

}  // namespace dhsu::nviewlib
