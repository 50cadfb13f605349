#pragma once
// Whole-file reads and writes by UTF-8 path (UTF-16 at the Windows API).

#include <cstddef>
#include <cstdint>
#include <string>
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

// Writes a file that does not exist yet. The bytes go to a temporary file beside `path`, created
// new under a name no file has, which then moves to `path` unless a file has come there in the
// meantime. A failure leaves no file of ours behind, and a file that was there, by either name,
// belongs to someone else and is neither opened nor replaced.
bool WriteNewFile(const char* path, const std::uint8_t* data, std::size_t size);

// Names tried, one after the other, for the temporary file beside a target.
constexpr unsigned kTemporaryNameAttempts = 100;
inline std::string TemporarySuffix(unsigned long processId, unsigned attempt) {
    std::string suffix = ".";
    suffix.append(std::to_string(processId)).append("-").append(std::to_string(attempt));
    return suffix.append(".part");
}

}  // namespace dhsu::nviewlib
