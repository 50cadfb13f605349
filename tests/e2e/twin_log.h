#pragma once
// What the twins of dhsu.exe tell the tests: a line per event (each shot's sound and, in
// dhsu_black_window_dc.exe, each read) appended to the file that DHSU_SOUND_LOG names.

#include <string>

namespace dhsu {
void AppendTwinLog(const std::string& line);
}

namespace e2e {
// On a window, it makes dhsu_black_window_dc.exe read the window's own device context as it is.
inline constexpr wchar_t kGdiDrawnProperty[] = L"DhsuTwinGdiDrawn";
}  // namespace e2e
