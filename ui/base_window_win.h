#pragma once
// One base for every window of the program, the main window and the dialogs alike. The object
// that handles a window's messages comes with the window's creation and only then: any program
// can send a later WM_NCCREATE or WM_INITDIALOG, which binds nothing. Every handler runs behind
// the application's error box, so no exception reaches Windows, and a creation that throws ends
// the creation rather than leave a half-built window.

#include <windows.h>

#include "ui/error_box_win.h"

namespace dhsu {

// `Form` handles its messages in `HandleMessage(message, wParam, lParam)`; a dialog builds
// itself in `InitDialog()`.
template <typename Form>
class BaseWindow {
  public:
    HWND Handle() const { return handle_; }

  protected:
    // A window class's procedure: the form comes as CreateWindowExW's last parameter.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Form* form = BoundForm(window, GWLP_USERDATA);
        if (message == WM_NCCREATE && form == nullptr) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            form = Bind(window, GWLP_USERDATA, creation->lpCreateParams);
        }
        if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
        LRESULT result = 0;
        if (RunShowingErrors(window,
                             [&] { result = form->HandleMessage(message, wParam, lParam); }))
            return result;
        return message == WM_CREATE ? -1 : 0;
    }

    // A dialog's procedure: the form comes as the dialog box call's last parameter.
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        Form* form = BoundForm(dialog, DWLP_USER);
        if (message == WM_INITDIALOG) {
            if (form != nullptr) return FALSE;
            form = Bind(dialog, DWLP_USER, reinterpret_cast<void*>(lParam));
            if (!RunShowingErrors(dialog, [form] { form->InitDialog(); }))
                EndDialog(dialog, IDCANCEL);
            return FALSE;  // the dialog has set its focus
        }
        if (form == nullptr) return FALSE;
        INT_PTR result = FALSE;
        RunShowingErrors(dialog, [&] { result = form->HandleMessage(message, wParam, lParam); });
        return result;
    }

    HWND handle_ = nullptr;

  private:
    static Form* BoundForm(HWND window, int slot) {
        return reinterpret_cast<Form*>(GetWindowLongPtrW(window, slot));
    }
    static Form* Bind(HWND window, int slot, void* object) {
        auto* form = static_cast<Form*>(object);
        form->handle_ = window;
        SetWindowLongPtrW(window, slot, reinterpret_cast<LONG_PTR>(form));
        return form;
    }
};

}  // namespace dhsu
