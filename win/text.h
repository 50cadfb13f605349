#pragma once
// UTF-8 inside the program, UTF-16 at the Windows API.

#include <windows.h>

#include <string>

namespace dhsu::win {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
std::string Utf8(const wchar_t* wide, int length);

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD error);

// The text of a window (caption, edit contents).
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& text);

}  // namespace dhsu::win
