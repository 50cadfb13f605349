#include "nviewlib/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "win/handles_win.h"
#include "win/new_file_win.h"

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

// The folder of `target`, with room for a temporary name after it.
bool FolderWithRoomForAName(const char* target, Buffer<wchar_t>& folder) {
    if (!WidePath(target, kTemporaryNameLength, folder)) return false;
    wchar_t* end = folder.data() + std::wcslen(folder.data());
    while (end != folder.data() && end[-1] != L'\\' && end[-1] != L'/') --end;
    *end = L'\0';
    return true;
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
    if (!WidePath(path, 0, target) || !FolderWithRoomForAName(path, temporary)) return false;
    DWORD error = 0;
    const win::FileHandle file = win::CreateTemporaryFile(temporary.data(), error);
    if (!file) return false;
    if (WriteAll(file.Get(), data, size) && win::MoveIntoPlace(file.Get(), target.data(), error))
        return true;
    win::RemoveWhenClosed(file.Get());
    return false;
}

}  // namespace dhsu::nviewlib
