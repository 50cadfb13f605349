#pragma once
// What a new file is called while we write it: "~dhsu-" + 16 hex digits + ".tmp", in the folder
// where it will go, until it is complete and moves to its own name. Nothing else uses the
// pattern, and the file list's masks never show it. Header only and allocation free: NviewLib
// uses it too.

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace dhsu {

// A name that is taken, by a leftover or by another writer of this process, makes way for the
// next attempt's.
constexpr unsigned kTemporaryNameAttempts = 16;

constexpr std::string_view kTemporaryNamePrefix = "~dhsu-";
constexpr std::string_view kTemporaryNameSuffix = ".tmp";
constexpr std::size_t kTemporaryTagDigits = 16;
constexpr std::size_t kTemporaryNameLength =
    kTemporaryNamePrefix.size() + kTemporaryTagDigits + kTemporaryNameSuffix.size();

struct TemporaryName {
    char text[kTemporaryNameLength + 1];
};

// The tag is the process id, unique among running programs, above the attempt's number.
inline TemporaryName MakeTemporaryName(std::uint32_t processId, unsigned attempt) {
    TemporaryName name{};
    std::snprintf(name.text, sizeof name.text, "~dhsu-%08lx%08x.tmp",
                  static_cast<unsigned long>(processId), attempt);
    return name;
}

// Exactly the pattern, lower-case hex and all.
inline bool IsTemporaryName(std::string_view name) {
    if (name.size() != kTemporaryNameLength || !name.starts_with(kTemporaryNamePrefix) ||
        !name.ends_with(kTemporaryNameSuffix))
        return false;
    for (const char c : name.substr(kTemporaryNamePrefix.size(), kTemporaryTagDigits))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace dhsu
