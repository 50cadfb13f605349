#pragma once
// A folder and a name joined by one separator: a drive's root ("C:\") ends in it already.

#include <string>

namespace dhsu::win {

template <typename Char>
std::basic_string<Char> JoinPath(const std::basic_string<Char>& folder,
                                 const std::basic_string<Char>& name) {
    constexpr Char kSeparator = Char('\\');
    if (!folder.empty() && folder.back() == kSeparator) return folder + name;
    return folder + kSeparator + name;
}

}  // namespace dhsu::win
