#include "shot/temporary_shot_file_win.h"

#include "shot/shot_file.h"
#include "win/files_win.h"
#include "win/new_file_win.h"
#include "win/path_join.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

// "C:\Shots\DH0001.bmp" -> "C:\Shots\"
std::string FolderOf(const std::string& shotPath) {
    const std::size_t cut = shotPath.rfind('\\');
    return cut == std::string::npos ? std::string() : shotPath.substr(0, cut + 1);
}

// A program writing a new file holds it open until the file has its name, so an open that
// shares nothing fails on it: only a file nobody holds can be a leftover.
void RemoveIfLeftover(const std::wstring& path, const std::string& name) {
    const win::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return;
    char firstBytes[2] = {};
    DWORD read = 0;
    if (!ReadFile(file.Get(), firstBytes, sizeof firstBytes, &read, nullptr)) return;
    if (IsLeftoverShot(name, std::string_view(firstBytes, read))) win::RemoveWhenClosed(file.Get());
}

}  // namespace

std::runtime_error ShotSaveError(const std::string& shotPath, DWORD error) {
    return std::runtime_error("Cannot save the shot to \"" + shotPath + "\".\n" +
                              win::SystemErrorText(error));
}

TemporaryShotFile::TemporaryShotFile(const std::string& shotPath) {
    std::wstring path = win::Wide(FolderOf(shotPath));
    path.resize(path.size() + kTemporaryNameLength + 1);
    DWORD error = 0;
    file_ = win::CreateTemporaryFile(path.data(), error);
    if (!file_) throw ShotSaveError(shotPath, error);
}

TemporaryShotFile::~TemporaryShotFile() {
    if (!placed_) win::RemoveWhenClosed(file_.Get());
}

bool TemporaryShotFile::MoveTo(const std::string& path) {
    DWORD error = 0;
    if (win::MoveIntoPlace(file_.Get(), win::Wide(path).c_str(), error)) {
        placed_ = true;
        return true;
    }
    if (win::IsNameTaken(error)) return false;
    throw ShotSaveError(path, error);
}

void RemoveLeftoverShots(const std::string& folder) {
    const std::wstring directory = win::Wide(folder);
    const std::string pattern =
        std::string(kTemporaryNamePrefix) + "*" + std::string(kTemporaryNameSuffix);
    win::ForEachMatch(win::JoinPath(directory, win::Wide(pattern)),
                      [&](const WIN32_FIND_DATAW& found) {
                          constexpr DWORD kNotAPlainFile =
                              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
                          if (found.dwFileAttributes & kNotAPlainFile) return;
                          RemoveIfLeftover(win::JoinPath(directory, std::wstring(found.cFileName)),
                                           win::Utf8(found.cFileName));
                      });
}

}  // namespace dhsu
