#pragma once
// Whole-file reads and writes by UTF-8 path (UTF-16 at the Windows API).

#include <cstddef>
#include <cstdint>

#include "nviewlib/buffer.h"

namespace dhsu::nviewlib {

// Fails for a file that cannot be opened or read, is larger than maxSize bytes or does not fit
// in memory. The memory `bytes` already holds is reused when it is large enough.
bool ReadWholeFile(const char* path, std::uint64_t maxSize, ByteBuffer& bytes);

// Writes a file that does not exist yet. The bytes go to a temporary file in the folder of
// `path`, created new under a name of our pattern (win/temporary_name.h) that no file has, which
// then moves to `path` unless a file has come there in the meantime. A failure leaves no file of
// ours behind, and a file that was there, by either name, belongs to someone else and is
// neither opened nor replaced.
bool WriteNewFile(const char* path, const std::uint8_t* data, std::size_t size);

}  // namespace dhsu::nviewlib
