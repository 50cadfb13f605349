#pragma once
// UTF-8 inside the program, UTF-16 where Windows keeps text. Broken sequences on either side
// become U+FFFD rather than failing, so a damaged stored value still loads.

#include <string>
#include <string_view>

namespace dhsu {

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace dhsu
