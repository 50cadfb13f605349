#include "win/new_file_win.h"

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

bool MoveIntoPlace(const wchar_t* temporary, const wchar_t* target, DWORD& error) {
    if (MoveFileExW(temporary, target, 0)) return true;
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
