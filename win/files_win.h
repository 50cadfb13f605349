#pragma once
// The file system as the program asks it: what a path holds, the program's own folder, the
// entries that match a pattern.

#include <windows.h>

#include <string>

#include "win/handles_win.h"

namespace dhsu::win {

// Anything, a file or a folder, has this path.
bool PathExists(const std::wstring& path);
// A file, not a folder, has this path.
bool IsFile(const std::wstring& path);
bool IsDirectory(const std::wstring& path);

// The folder of the running program with its trailing backslash, in UTF-8.
std::string ProgramDirectory();
// The system folder (System32) with its trailing backslash, in UTF-8; empty when unknown.
std::string SystemDirectory();

// Calls visit(const WIN32_FIND_DATAW&) for each entry whose name matches `pattern`.
template <typename Visit>
void ForEachMatch(const std::wstring& pattern, Visit visit) {
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return;
    do visit(found);
    while (FindNextFileW(search.Get(), &found));
}

}  // namespace dhsu::win
