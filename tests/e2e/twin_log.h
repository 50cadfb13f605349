#pragma once
// What the twins of dhsu.exe tell the tests: a line per event, appended to the file that
// DHSU_SOUND_LOG names (the sound of each shot and, in dhsu_black_window_dc.exe, each read).

#include <string>

namespace dhsu {

void AppendTwinLog(const std::string& line);

}  // namespace dhsu

namespace e2e {

// Given to a window by a test, it makes dhsu_black_window_dc.exe read that window's own device
// context as it is: the window draws itself through GDI again.
inline constexpr wchar_t kGdiDrawnProperty[] = L"DhsuTwinGdiDrawn";

}  // namespace e2e
