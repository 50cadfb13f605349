#pragma once
// UTF-8 inside the program, UTF-16 at the Windows API, converted by the program's own codec
// (win/utf16.h), which the portable settings use too.

#include <windows.h>

#include <string>
#include <string_view>

namespace dhsu::win {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD error);

// The text of a window (caption, edit contents).
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& text);

}  // namespace dhsu::win
