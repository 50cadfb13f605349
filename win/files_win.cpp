#include "win/files_win.h"

#include "win/text_win.h"

namespace dhsu::win {
namespace {

// Windows paths never exceed 32767 characters.
constexpr DWORD kLongestPath = 32768;

}  // namespace

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size() || path.size() >= kLongestPath) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: a long path
    }
    const std::size_t lastSeparator = path.rfind(L'\\');
    return Utf8(path.substr(0, lastSeparator == std::wstring::npos ? 0 : lastSeparator + 1));
}

std::string SystemDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) return {};
    path.resize(length);
    return Utf8(path + L"\\");
}

}  // namespace dhsu::win
