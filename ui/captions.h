#pragma once
// The texts the main window shows about the shots: its caption, which is the application's title
// in the task bar too, and the shot count.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dhsu {

constexpr const char* kAppTitle = "DH Screenshot Utility";

// "Encoding...2 - DH Screenshot Utility" while files wait, else the plain title.
inline std::string EncodingCaption(std::size_t queuedFiles) {
    if (queuedFiles == 0) return kAppTitle;
    return "Encoding..." + std::to_string(queuedFiles) + " - " + kAppTitle;
}

inline std::string ShotCountText(std::int32_t shots) {
    return "Shot : " + std::to_string(shots);
}

}  // namespace dhsu
