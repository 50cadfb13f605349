#include "nviewlib/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "win/handles_win.h"

namespace dhsu::nviewlib {
namespace {

// Paths come as UTF-8; text that is not valid UTF-8 can only be meant in the ANSI code page and
// is read so. `extra` more characters are left free after the path's terminating zero. Not the
// program's own converter (win/text_win.h): the library is built without C++ exceptions and
// the standard containers that converter returns (see buffer.h).
bool WidePath(const char* path, std::size_t extra, Buffer<wchar_t>& wide) {
    for (const UINT codePage : {UINT{CP_UTF8}, UINT{CP_ACP}}) {
        const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int length = MultiByteToWideChar(codePage, flags, path, -1, nullptr, 0);
        if (length <= 1) continue;
        if (!wide.Resize(std::size_t(length) + extra)) return false;
        MultiByteToWideChar(codePage, flags, path, -1, wide.data(), length);
        return true;
    }
    return false;
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

void CopyAscii(const char* text, wchar_t* wide) {
    do *wide++ = wchar_t(*text);
    while (*text++ != '\0');
}

// The target's name followed by a suffix of our own; a file of that name that is already there
// is someone else's, and the next name is tried.
win::FileHandle CreateTemporaryBeside(const char* target, Buffer<wchar_t>& temporary) {
    if (!WidePath(target, sizeof TemporarySuffix::text, temporary)) return {};
    wchar_t* suffixAt = temporary.data() + std::wcslen(temporary.data());
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const TemporarySuffix suffix = MakeTemporarySuffix(GetCurrentProcessId(), attempt);
        CopyAscii(suffix.text, suffixAt);
        win::FileHandle file(CreateFileW(temporary.data(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return {};
}

}  // namespace

bool ReadWholeFile(const char* path, std::uint64_t maxSize, ByteBuffer& bytes) {
    Buffer<wchar_t> widePath;
    if (!WidePath(path, 0, widePath)) return false;
    win::FileHandle file(CreateFileW(widePath.data(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return false;
    if (size.QuadPart < 0 || std::uint64_t(size.QuadPart) > maxSize) return false;
    if (!bytes.Resize(static_cast<std::size_t>(size.QuadPart))) return false;
    return ReadAll(file.Get(), bytes.data(), bytes.size());
}

bool WriteNewFile(const char* path, const std::uint8_t* data, std::size_t size) {
    Buffer<wchar_t> target, temporary;
    if (!WidePath(path, 0, target)) return false;
    win::FileHandle file = CreateTemporaryBeside(path, temporary);
    if (!file) return false;
    const bool written = WriteAll(file.Get(), data, size);
    // Without MOVEFILE_REPLACE_EXISTING the move fails where a file already is.
    if (CloseHandle(file.Release()) && written && MoveFileExW(temporary.data(), target.data(), 0))
        return true;
    DeleteFileW(temporary.data());
    return false;
}

}  // namespace dhsu::nviewlib
