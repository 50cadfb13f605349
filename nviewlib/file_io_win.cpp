#include "nviewlib/file_io.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "win/handles.h"

namespace dhsu::nviewlib {
namespace {

// Paths come as UTF-8; text that is not valid UTF-8 is taken in the ANSI code page, as older
// callers pass it.
std::wstring WidePath(const char* path) {
    for (const UINT codePage : {UINT{CP_UTF8}, UINT{CP_ACP}}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = MultiByteToWideChar(codePage, flags, path, -1, nullptr, 0);
        if (length <= 0) continue;
        std::wstring wide(length, L'\0');
        MultiByteToWideChar(codePage, flags, path, -1, wide.data(), length);
        wide.resize(length - 1);
        return wide;
    }
    return {};
}

// WriteFile and ReadFile take at most a DWORD per call.
constexpr std::size_t kMaxChunk = 64u << 20;

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min(size, kMaxChunk));
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

bool ReadAll(HANDLE file, std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min(size, kMaxChunk));
        DWORD read = 0;
        if (!ReadFile(file, data, chunk, &read, nullptr) || read != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

// A file of that name that is already there is someone else's: the next name is tried.
win::FileHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string suffix = TemporarySuffix(GetCurrentProcessId(), attempt);
        temporary = target + std::wstring(suffix.begin(), suffix.end());
        win::FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return {};
}

}  // namespace

bool ReadWholeFile(const char* path, std::uint64_t maxSize, std::vector<std::uint8_t>& bytes) {
    const std::wstring widePath = WidePath(path);
    if (widePath.empty()) return false;
    win::FileHandle file(CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return false;
    if (size.QuadPart < 0 || std::uint64_t(size.QuadPart) > maxSize) return false;
    PrepareBuffer(bytes, static_cast<std::size_t>(size.QuadPart));
    return ReadAll(file.Get(), bytes.data(), bytes.size());
}

bool WriteNewFile(const char* path, const std::uint8_t* data, std::size_t size) {
    const std::wstring target = WidePath(path);
    if (target.empty()) return false;
    std::wstring temporary;
    win::FileHandle file = CreateTemporaryBeside(target, temporary);
    if (!file) return false;
    const bool written = WriteAll(file.Get(), data, size);
    // Without MOVEFILE_REPLACE_EXISTING the move fails where a file already is.
    if (CloseHandle(file.Release()) && written && MoveFileExW(temporary.c_str(), target.c_str(), 0))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace dhsu::nviewlib
