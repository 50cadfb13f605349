#include "ui/dialog_form_win.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/error_box_win.h"
#include "win/handles_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kRightMargin = 8;
// Accented letters may be drawn a little wider than they measure (seen with "ů").
constexpr int kTextSlack = 4;

// A frame without controls: they are made from the table, in pixels, once the dialog exists.
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

INT_PTR CALLBACK DialogForm::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<DialogForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        // Only the dialog's creation brings the form; a later one is another program's.
        if (form != nullptr) return FALSE;
        form = reinterpret_cast<DialogForm*>(lParam);
        form->handle_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    if (form == nullptr) return FALSE;
    INT_PTR result = TRUE;
    // A dialog that could not be built is closed rather than shown half made.
    if (!RunShowingErrors(dialog, [&] { result = form->HandleMessage(message, wParam, lParam); }) &&
        message == WM_INITDIALOG)
        EndDialog(dialog, kModalCancel);
    return result;
}

INT_PTR DialogForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitDialog();
            return FALSE;  // the focus is set already
        case WM_SHOWWINDOW:
            // The dialog's own showing only, not its return when a minimised owner is restored.
            if (wParam && lParam == 0) FormShow();
            return FALSE;
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
    }
    return FALSE;
}

void DialogForm::InitDialog() {
    win::SetWindowTextUtf8(handle_, Design().caption);
    CreateControls();
    FormCreate();
    FillControls();
    FitLabels();
    SizeAndCentre();
    if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE))
        SendMessageW(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

void DialogForm::Command(int id, int code) {
    // OK and Storno carry their modal result; Enter, Esc and the close box arrive as them.
    const bool hasModalResult = (id == kModalOk || id == kModalCancel) && code == BN_CLICKED;
    if (hasModalResult) modalResult_ = id;
    HandleCommand(id, code);
    if (!hasModalResult || modalResult_ == kModalNone) return;
    if (modalResult_ == kModalOk) ReadBack();
    EndDialog(handle_, modalResult_);
}

void DialogForm::FormCreate() {
    const auto font = reinterpret_cast<WPARAM>(owner_.font);
    SendMessageW(handle_, WM_SETFONT, font, FALSE);
    for (const DialogControl& row : Design().controls)
        SendMessageW(Control(row.id), WM_SETFONT, font, FALSE);
}

void DialogForm::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const DialogControl& row : Design().controls) {
        const HWND control = CreateWindowExW(
            0, row.windowClass, win::Wide(row.text).c_str(), row.style, Scale(row.left),
            Scale(row.top), Scale(row.width), Scale(row.height), handle_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
        if (!control) throw std::runtime_error("Cannot create the dialog's controls.");
    }
}

// Labels take the size of their text in the font they show it in, as far as the dialog's edge.
void DialogForm::FitLabels() const {
    const win::ScreenDc screen;
    const win::SelectedObject font(screen.Get(), owner_.font);
    for (const DialogControl& row : Design().controls) {
        if (row.sizing != Sizing::kFitText) continue;
        const HWND control = Control(row.id);
        RECT extent{};
        DrawTextW(screen.Get(), win::Wide(win::WindowText(control)).c_str(), -1, &extent,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int room = Scale(Design().clientWidth - row.left - kRightMargin);
        const int width = std::min<int>(extent.right + Scale(kTextSlack), room);
        SetWindowPos(control, nullptr, 0, 0, width, extent.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void DialogForm::SizeAndCentre() {
    RECT frame{0, 0, Scale(Design().clientWidth), Scale(Design().clientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(handle_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(handle_, GWL_EXSTYLE)));
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(owner_.window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(handle_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace dhsu
