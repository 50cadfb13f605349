#pragma once
// The three linked folder controls: drive drop-down -> directory tree list -> file list.
// Whatever directory the file list shows is where the next shot goes.

#include <windows.h>

#include <string>
#include <vector>

namespace dhsu {

class FolderBrowser {
  public:
    void Attach(HWND driveCombo, HWND directoryList, HWND fileList);

    // Moves all three lists to `directory`; throws when it does not exist.
    void SetDirectory(const std::wstring& directory);
    const std::wstring& Directory() const { return directory_; }
    void RefreshFiles();

    // Notifications from the controls.
    void DriveChosen();
    void DirectoryOpened();

  private:
    void FillDrives();
    void FillDirectoryTree();

    HWND driveCombo_ = nullptr;
    HWND directoryList_ = nullptr;
    HWND fileList_ = nullptr;
    std::wstring directory_;
    std::vector<std::wstring> treePaths_;  // the full path of each directory-list row
};

// "C:\Shots\" -> "C:\Shots"; a drive's root keeps its separator.
std::wstring NormalizeDirectory(std::wstring directory);

}  // namespace dhsu
