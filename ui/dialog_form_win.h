#pragma once
// The dialogs' common frame: a modal dialog whose controls come from a table, scaled like the
// main window and shown in its font. A dialog fills its controls from the caller's values,
// may refuse an OK, and reads the controls back once an OK has closed it.

#include <windows.h>

#include <memory>
#include <span>

#include "ui/base_window_win.h"
#include "ui/control_table_win.h"
#include "win/handles_win.h"

namespace dhsu {

// Shared, so that a font that a DPI change replaces lives on while a dialog still shows it.
using SharedFont = std::shared_ptr<const win::GdiObject>;

// What a dialog takes from the window that opens it.
struct DialogOwner {
    HWND window;
    SharedFont font;
    UINT dpi;
    HFONT Font() const { return static_cast<HFONT>(font->Get()); }
};

// Modal results: the ids of the buttons that give them.
constexpr int kModalOk = IDOK;
constexpr int kModalCancel = IDCANCEL;

// The styles the dialogs' tables share.
constexpr DWORD kDialogLabel = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kDialogButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kDialogEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

struct DialogTable {
    const char* caption;  // UTF-8
    int clientWidth, clientHeight;
    std::span<const ControlRow> controls;
};

class DialogForm : public BaseWindow<DialogForm> {
  public:
    explicit DialogForm(const DialogOwner& owner) : owner_(owner) {}
    virtual ~DialogForm() = default;
    DialogForm(const DialogForm&) = delete;
    DialogForm& operator=(const DialogForm&) = delete;

    // Shows the dialog, owned by the owner's window, until OK or Storno (or Esc, or the close
    // box, which count as Storno) closes it; returns that result.
    int ShowModal();

  protected:
    virtual const DialogTable& Table() const = 0;
    // Puts the caller's values into the freshly made controls.
    virtual void Fill() {}
    // False keeps the dialog open after OK, having told the user why.
    virtual bool AcceptOk() { return true; }
    // Keeps what the caller reads once an OK has closed the dialog.
    virtual void ReadBack() {}

    HWND Control(int id) const { return GetDlgItem(handle_, id); }

  private:
    friend class BaseWindow<DialogForm>;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void InitDialog();
    void Command(int id, int code);
    void FitLabels() const;
    void SizeAndCentre();

    DialogOwner owner_;
};

}  // namespace dhsu
