#include "shot/temporary_shot_file_win.h"

#include <cstdint>

#include "shot/shot_file.h"
#include "win/files_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr int kCreateAttempts = 16;

// Unique among running programs (the process id) and within this one (the count); a leftover
// of a killed run with the same id only costs another attempt.
std::uint64_t NextTag() {
    static std::uint32_t count = 0;
    return std::uint64_t{GetCurrentProcessId()} << 32 | ++count;
}

// "C:\Shots\DH0001.bmp" -> "C:\Shots\"
std::string FolderOf(const std::string& shotPath) {
    const std::size_t cut = shotPath.rfind('\\');
    return cut == std::string::npos ? std::string() : shotPath.substr(0, cut + 1);
}

bool IsNameTaken(DWORD error) {
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

// Through the handle, so only the very file we hold goes, whatever now has its name.
void RemoveWhenClosed(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// A program writing a shot holds it open until the shot has its name, so an open that shares
// nothing fails on it: only a file nobody holds can be a leftover.
void RemoveIfLeftover(const std::wstring& path, const std::string& name) {
    const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return;
    char firstBytes[2] = {};
    DWORD read = 0;
    if (!ReadFile(file.Get(), firstBytes, sizeof firstBytes, &read, nullptr)) return;
    if (IsLeftoverShot(name, std::string_view(firstBytes, read))) RemoveWhenClosed(file.Get());
}

}  // namespace

std::runtime_error ShotSaveError(const std::string& shotPath, DWORD error) {
    return std::runtime_error("Cannot save the shot to \"" + shotPath + "\".\n" +
                              win::SystemErrorText(error));
}

TemporaryShotFile::TemporaryShotFile(const std::string& shotPath) {
    const std::string folder = FolderOf(shotPath);
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kCreateAttempts && IsNameTaken(error); ++attempt) {
        path_ = win::Wide(folder + TemporaryShotName(NextTag()));
        // Sharing deletion only: the move may rename it while we hold it, nobody may write.
        file_.Reset(CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                nullptr));
        if (file_) return;
        error = GetLastError();
    }
    throw ShotSaveError(shotPath, error);
}

TemporaryShotFile::~TemporaryShotFile() {
    if (!placed_) RemoveWhenClosed(file_.Get());
}

bool TemporaryShotFile::MoveTo(const std::string& path) {
    // No MOVEFILE_REPLACE_EXISTING: a file that took the name meanwhile stays as it is.
    if (MoveFileExW(path_.c_str(), win::Wide(path).c_str(), 0)) {
        placed_ = true;
        return true;
    }
    const DWORD error = GetLastError();
    if (IsNameTaken(error)) return false;
    throw ShotSaveError(path, error);
}

void RemoveLeftoverShots(const std::string& folder) {
    std::wstring directory = win::Wide(folder);
    if (!directory.empty() && directory.back() != L'\\') directory += L'\\';
    win::ForEachMatch(directory + L"~dhsu-*.tmp", [&](const WIN32_FIND_DATAW& found) {
        constexpr DWORD kNotAPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if (found.dwFileAttributes & kNotAPlainFile) return;
        RemoveIfLeftover(directory + found.cFileName, win::Utf8(found.cFileName));
    });
}

}  // namespace dhsu
