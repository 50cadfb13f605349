#include "win/new_file_win.h"

#include <cstddef>
#include <cwchar>

namespace dhsu::win {

FileHandle CreateTemporaryFile(wchar_t* path, DWORD& error) {
    wchar_t* nameAt = path + std::wcslen(path);
    error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts && IsNameTaken(error); ++attempt) {
        const TemporaryName name = MakeTemporaryName(GetCurrentProcessId(), attempt);
        for (std::size_t i = 0; i < sizeof name.text; ++i) nameAt[i] = wchar_t(name.text[i]);
        FileHandle file(CreateFileW(path, GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                    nullptr));
        if (file) return file;
        error = GetLastError();
    }
    return {};
}

namespace {

// The longest path Windows takes.
constexpr std::size_t kMaxPathLength = 32767;

// FILE_RENAME_INFO ends in the name; this gives the name room on the stack.
struct RenameRequest {
    FILE_RENAME_INFO info;
    wchar_t room[kMaxPathLength];
};

}  // namespace

bool MoveIntoPlace(HANDLE file, const wchar_t* target, DWORD& error) {
    const std::size_t length = std::wcslen(target);
    if (length > kMaxPathLength) {
        error = ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    RenameRequest request;
    request.info.ReplaceIfExists = FALSE;
    request.info.RootDirectory = nullptr;
    request.info.FileNameLength = static_cast<DWORD>(length * sizeof(wchar_t));
    std::wmemcpy(request.info.FileName, target, length + 1);
    const DWORD size = static_cast<DWORD>(sizeof request.info + request.info.FileNameLength);
    if (SetFileInformationByHandle(file, FileRenameInfo, &request, size)) return true;
    error = GetLastError();
    return false;
}

bool IsNameTaken(DWORD error) {
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

void RemoveWhenClosed(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

}  // namespace dhsu::win
