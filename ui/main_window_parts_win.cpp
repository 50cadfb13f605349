#include "ui/main_window_parts_win.h"

#include <utility>

#include "ui/main_window_controls_win.h"
#include "ui/window_dpi_win.h"

namespace dhsu {
namespace {

constexpr COLORREF kNoticeColour = RGB(255, 255, 0);

win::Menu CreateDirectoryMenu() {
    win::Menu menu(CreatePopupMenu());
    win::Menu items(CreatePopupMenu());
    AppendMenuW(items.Get(), MF_STRING, POPUP_NEWFOLDER, L"Vytvořit nový adresář");
    // From here the pop-up menu holds the items and destroys them with itself.
    if (AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(items.Get()), L""))
        items.Release();
    return menu;
}

}  // namespace

void MainWindowParts::Build(HWND window) {
    font = std::make_shared<const win::GdiObject>(CreateWindowFont(dpi));
    CreateControls(window, MainWindowControls(), Font(), dpi);
    const auto control = [window](ControlId id) { return GetDlgItem(window, id); };
    quality.Attach(window, control(UpDown1), control(Edit_Q));
    noticeBrush.Reset(CreateSolidBrush(kNoticeColour));
    PopupMenu1 = CreateDirectoryMenu();
    folders.Attach(control(DriveComboBox1), control(DirectoryListBox1), control(FileListBox1));
    for (ControlId id : {Button_FileName, Button_Option}) buttonClicks.Watch(control(id));
}

void MainWindowParts::LayOut(HWND window, UINT newDpi) {
    dpi = newDpi;
    // The old font outlives its replacement's arrival in every control, and an open dialog
    // keeps it as long as it shows it.
    const auto previous =
        std::exchange(font, std::make_shared<const win::GdiObject>(CreateWindowFont(dpi)));
    LayoutControls(window, MainWindowControls(), Font(), dpi);
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT MainWindowParts::Colour(HWND window, HWND control, HDC dc) const {
    if (control == GetDlgItem(window, Notice)) {
        SetBkColor(dc, kNoticeColour);
        return reinterpret_cast<LRESULT>(noticeBrush.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace dhsu
