#pragma once
// Shot files on disk: written whole or failed with the real reason, and kept under a temporary
// name of our own until they are complete.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dhsu {

// What one call of the system's write did.
struct WriteResult {
    std::size_t written = 0;  // bytes it took
    std::uint32_t error = 0;  // the system's error code when the call failed, else 0
};
using WriteCall = std::function<WriteResult(const std::uint8_t* data, std::size_t size)>;

// Writes every byte, call after call: a nearly full disk takes part of a block and fails only on
// the next call, whose error is the reason to report. Returns 0 once all went, else that error,
// or `stalledError` when a call took nothing without failing.
std::uint32_t WriteAll(const std::uint8_t* data, std::size_t size, const WriteCall& write,
                       std::uint32_t stalledError);

// What a killed run leaves: a file of exactly our temporary pattern (win/temporary_name.h),
// empty or begun as a BMP shot or a JPEG of NviewLib. Whether a running program still holds it
// is for the caller to find out.
bool IsLeftoverShot(const std::string& name, std::string_view firstBytes);

}  // namespace dhsu
