#include "dialog_driver.h"

#include "dhsu_process.h"
#include "ui/main_window_controls_win.h"
#include "win/utf16.h"
#include "window_search.h"

namespace e2e {

HWND OpenDialog(const DhsuProcess& dhsu, DhsuDialog which) {
    switch (which) {
        case DhsuDialog::kNewFolder:
            ChooseNewFolder(dhsu.Window(), dhsu.Id());
            return WaitForDialog(L"Vytvořit nový adresář", dhsu.Id());
        case DhsuDialog::kFileName:
            PostClick(dhsu.Control(dhsu::Button_FileName));
            return WaitForDialog(L"Jméno souboru", dhsu.Id());
        case DhsuDialog::kShutterKey:
            PostClick(dhsu.Control(dhsu::Button_Option));
            return WaitForDialog(L"Nastavení klávesy", dhsu.Id());
    }
    return nullptr;
}

HWND WaitForDialog(const std::wstring& caption, DWORD processId) {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindMessageBox(caption, processId)) != nullptr; });
    return dialog;
}

bool WaitForClosed(HWND dialog) {
    return WaitFor([&] { return !IsWindow(dialog); });
}

void PostClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

void SetText(HWND control, const std::string& utf8) {
    const std::u16string text = dhsu::Utf16FromUtf8(utf8);
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
}

bool IsButtonChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

void ChooseRow(HWND comboBox, int row) {
    SendMessageTimeoutW(comboBox, CB_SETCURSEL, row, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
    SendMessageTimeoutW(
        GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
        reinterpret_cast<LPARAM>(comboBox), SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
}

int SelectedRow(HWND comboBox) {
    DWORD_PTR row = 0;
    SendMessageTimeoutW(comboBox, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &row);
    return static_cast<int>(row);
}

HWND FocusIn(HWND window) {
    GUITHREADINFO info{sizeof info};
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

}  // namespace e2e
