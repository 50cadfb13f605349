#include "ui/folder_browser_win.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "win/files_win.h"
#include "win/path_join.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr const wchar_t* kFileMasks[] = {L"*.jpg", L"*.bmp"};
constexpr int kIndentPerLevel = 2;

// "C:\Games\Shots" -> {"C:\", "C:\Games", "C:\Games\Shots"}
std::vector<std::wstring> PathLevels(const std::wstring& directory) {
    std::vector<std::wstring> levels{directory.substr(0, 3)};
    for (std::size_t pos = 3; pos < directory.size();) {
        std::size_t next = directory.find(L'\\', pos);
        if (next == std::wstring::npos) next = directory.size();
        levels.push_back(directory.substr(0, next));
        pos = next + 1;
    }
    return levels;
}

void AddRow(HWND list, int level, const std::wstring& name) {
    const std::wstring text = std::wstring(level * kIndentPerLevel, L' ') + name;
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

std::wstring NormalizeDirectory(std::wstring directory) {
    while (directory.size() > 3 && directory.back() == L'\\') directory.pop_back();
    if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
    return directory;
}

void FolderBrowser::Attach(HWND driveCombo, HWND directoryList, HWND fileList) {
    driveCombo_ = driveCombo;
    directoryList_ = directoryList;
    fileList_ = fileList;
}

void FolderBrowser::SetDirectory(const std::wstring& directory) {
    const std::wstring normalized = NormalizeDirectory(directory);
    if (normalized.size() < 3 || !win::IsDirectory(normalized))
        throw std::runtime_error("The folder \"" + win::Utf8(normalized) + "\" does not exist.");
    directory_ = normalized;
    FillDrives();
    FillDirectoryTree();
    RefreshFiles();
}

void FolderBrowser::RefreshFiles() {
    SendMessageW(fileList_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(fileList_, LB_RESETCONTENT, 0, 0);
    for (const wchar_t* mask : kFileMasks) {
        win::ForEachMatch(win::JoinPath<wchar_t>(directory_, mask),
                          [&](const WIN32_FIND_DATAW& found) {
                              if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                                  SendMessageW(fileList_, LB_ADDSTRING, 0,
                                               reinterpret_cast<LPARAM>(found.cFileName));
                          });
    }
    SendMessageW(fileList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(fileList_, nullptr, TRUE);
}

void FolderBrowser::FillDrives() {
    SendMessageW(driveCombo_, CB_RESETCONTENT, 0, 0);
    wchar_t drives[512] = {};
    GetLogicalDriveStringsW(static_cast<DWORD>(std::size(drives) - 1), drives);
    const wchar_t current = static_cast<wchar_t>(towlower(directory_[0]));
    for (const wchar_t* drive = drives; *drive; drive += wcslen(drive) + 1) {
        const std::wstring name{static_cast<wchar_t>(towlower(drive[0])), L':'};
        const LRESULT row =
            SendMessageW(driveCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (name[0] == current) SendMessageW(driveCombo_, CB_SETCURSEL, row, 0);
    }
}

void FolderBrowser::FillDirectoryTree() {
    SendMessageW(directoryList_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(directoryList_, LB_RESETCONTENT, 0, 0);
    treePaths_ = PathLevels(directory_);
    for (std::size_t level = 0; level < treePaths_.size(); ++level) {
        const std::wstring& path = treePaths_[level];
        AddRow(directoryList_, static_cast<int>(level),
               level == 0 ? path : path.substr(path.rfind(L'\\') + 1));
    }
    SendMessageW(directoryList_, LB_SETCURSEL, treePaths_.size() - 1, 0);
    const int childLevel = static_cast<int>(treePaths_.size());
    std::vector<std::wstring> children;
    win::ForEachMatch(win::JoinPath<wchar_t>(directory_, L"*"), [&](const WIN32_FIND_DATAW& found) {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            children.push_back(name);
    });
    std::sort(children.begin(), children.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
               CSTR_LESS_THAN;
    });
    for (const std::wstring& name : children) {
        AddRow(directoryList_, childLevel, name);
        treePaths_.push_back(win::JoinPath<wchar_t>(directory_, name));
    }
    SendMessageW(directoryList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(directoryList_, nullptr, TRUE);
}

void FolderBrowser::DriveChosen() {
    const LRESULT row = SendMessageW(driveCombo_, CB_GETCURSEL, 0, 0);
    if (row == CB_ERR) return;
    wchar_t drive[8] = {};
    SendMessageW(driveCombo_, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(drive));
    // Any program can send the notification: only another drive chosen moves the folder.
    if (towlower(drive[0]) == towlower(directory_[0])) return;
    // The drive's current directory, as the system keeps it per drive.
    wchar_t current[MAX_PATH] = {};
    GetFullPathNameW(drive, MAX_PATH, current, nullptr);
    try {
        SetDirectory(current);
    } catch (const std::exception&) {
        SetDirectory(directory_);  // an empty or missing drive: stay where we were
        throw;
    }
}

void FolderBrowser::DirectoryOpened() {
    const LRESULT row = SendMessageW(directoryList_, LB_GETCURSEL, 0, 0);
    if (row < 0 || static_cast<std::size_t>(row) >= treePaths_.size()) return;
    if (treePaths_[row] == directory_) return;  // the notification may be another program's
    SetDirectory(treePaths_[row]);
}

}  // namespace dhsu
