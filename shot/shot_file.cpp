#include "shot/shot_file.h"

#include <algorithm>

#include "win/temporary_name.h"

namespace dhsu {

std::uint32_t WriteAll(const std::uint8_t* data, std::size_t size, const WriteCall& write,
                       std::uint32_t stalledError) {
    while (size > 0) {
        const WriteResult result = write(data, size);
        if (result.error != 0) return result.error;
        if (result.written == 0) return stalledError;
        const std::size_t taken = std::min(result.written, size);
        data += taken;
        size -= taken;
    }
    return 0;
}

bool IsLeftoverShot(const std::string& name, std::string_view firstBytes) {
    return IsTemporaryName(name) && (firstBytes.empty() || firstBytes.starts_with("BM") ||
                                     firstBytes.starts_with("\xFF\xD8"));
}

}  // namespace dhsu
