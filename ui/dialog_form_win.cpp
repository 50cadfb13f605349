#include "ui/dialog_form_win.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/window_dpi_win.h"
#include "win/handles_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kRightMargin = 8;
// Accented letters may be drawn a little wider than they measure (seen with "ů").
constexpr int kTextSlack = 4;

// A frame without controls: they are made from the table once the dialog exists.
struct EmptyTemplate {
    DLGTEMPLATE frame;
    WORD menu, windowClass, title;
};

}  // namespace

int DialogForm::ShowModal() {
    alignas(DWORD) const EmptyTemplate dialogTemplate{{kDialogStyle, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.frame, owner_.window,
                                DialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1)
        throw std::runtime_error("Cannot show the dialog: " + win::SystemErrorText(GetLastError()));
    return static_cast<int>(result);
}

INT_PTR DialogForm::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_GETFONT) {  // the font it shows, the main window's
        SetWindowLongPtrW(handle_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(owner_.Font()));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    Command(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
}

void DialogForm::InitDialog() {
    win::SetWindowTextUtf8(handle_, Table().caption);
    // The owner's font, so that the dialogs follow the main window's font switch.
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.Font()), FALSE);
    CreateControls(handle_, Table().controls, owner_.Font(), owner_.dpi);
    Fill();
    FitLabels();
    SizeAndCentre();
    if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE))
        SendMessageW(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

// OK and Storno close the dialog; Enter, Esc and the close box arrive as them.
void DialogForm::Command(int id, int code) {
    if ((id != kModalOk && id != kModalCancel) || code != BN_CLICKED) return;
    if (id == kModalOk) {
        if (!AcceptOk()) return;
        ReadBack();
    }
    EndDialog(handle_, id);
}

// Labels take the size of their text in the font they show it in, as far as the dialog's edge.
void DialogForm::FitLabels() const {
    const win::ScreenDc screen;
    const win::SelectedObject font(screen.Get(), owner_.Font());
    for (const ControlRow& row : Table().controls) {
        if (row.sizing != Sizing::kFitText) continue;
        const HWND control = Control(row.id);
        RECT extent{};
        DrawTextW(screen.Get(), win::Wide(win::WindowText(control)).c_str(), -1, &extent,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int room = Scale(Table().clientWidth - row.left - kRightMargin, owner_.dpi);
        const int width = std::min<int>(extent.right + Scale(kTextSlack, owner_.dpi), room);
        SetWindowPos(control, nullptr, 0, 0, width, extent.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void DialogForm::SizeAndCentre() {
    const SIZE frame =
        FrameSize(static_cast<DWORD>(GetWindowLongW(handle_, GWL_STYLE)),
                  static_cast<DWORD>(GetWindowLongW(handle_, GWL_EXSTYLE)),
                  {Scale(Table().clientWidth, owner_.dpi), Scale(Table().clientHeight, owner_.dpi)},
                  owner_.dpi);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(owner_.window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const int width = frame.cx, height = frame.cy;
    SetWindowPos(handle_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace dhsu
