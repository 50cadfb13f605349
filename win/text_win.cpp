#include "win/text_win.h"

#include <vector>

#include "win/handles_win.h"
#include "win/utf16.h"

namespace dhsu::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

std::wstring Wide(std::string_view utf8) {
    const std::u16string utf16 = Utf16FromUtf8(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string Utf8(std::wstring_view wide) {
    return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::string SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const LocalMemory owned(buffer);
    std::wstring text = n ? std::wstring(buffer, n) : L"error " + std::to_wstring(error);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return Utf8(text);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(length + 1);
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return Utf8({buffer.data(), static_cast<std::size_t>(copied)});
}

void SetWindowTextUtf8(HWND window, const std::string& text) {
    SetWindowTextW(window, Wide(text).c_str());
}

}  // namespace dhsu::win
