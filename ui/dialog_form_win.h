#pragma once
// The dialogs' common frame: a modal dialog whose controls come from a table laid out in pixels
// at 96 dpi, scaled like the main window, and shown in the main window's font.

#include <windows.h>

#include <span>

namespace dhsu {

// What a dialog takes from the window that opens it.
struct DialogOwner {
    HWND window;
    HFONT font;
    UINT dpi;
};

// Modal results; a button's own result is its id (IDOK, IDCANCEL).
constexpr int kModalNone = 0;
constexpr int kModalOk = IDOK;
constexpr int kModalCancel = IDCANCEL;

// The styles the dialogs' tables share.
constexpr DWORD kDialogLabel = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kDialogButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kDialogEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

enum class Sizing { kFixed, kFitText };

struct DialogControl {
    int id;
    const wchar_t* windowClass;
    int left, top, width, height;
    const char* text;  // UTF-8
    DWORD style;
    Sizing sizing = Sizing::kFixed;  // a label that takes the size of its text
};

struct DialogDesign {
    const char* caption;  // UTF-8
    int clientWidth, clientHeight;
    // In tab order: the dialog manager tabs through the controls in the order they were made.
    std::span<const DialogControl> controls;
};

class DialogForm {
  public:
    explicit DialogForm(const DialogOwner& owner) : owner_(owner) {}
    virtual ~DialogForm() = default;
    DialogForm(const DialogForm&) = delete;
    DialogForm& operator=(const DialogForm&) = delete;

    // Shows the dialog, owned by the owner's window, until a button with a modal result (or
    // Esc, or the close box, which count as Storno) closes it; returns that result.
    int ShowModal();

  protected:
    virtual const DialogDesign& Design() const = 0;
    // Takes the owner's font, so the dialogs follow the main window's font switch.
    virtual void FormCreate();
    // Puts the caller's values into the freshly made controls.
    virtual void FillControls() {}
    virtual void FormShow() {}
    // Runs after a button's modal result was set; may set it back to kModalNone.
    virtual void HandleCommand(int /*id*/, int /*code*/) {}
    // Keeps what the caller reads once an OK has closed the dialog.
    virtual void ReadBack() {}

    HWND Handle() const { return handle_; }
    HWND Control(int id) const { return GetDlgItem(handle_, id); }
    void SetModalResult(int result) { modalResult_ = result; }
    int Scale(int value) const { return MulDiv(value, static_cast<int>(owner_.dpi), 96); }

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void InitDialog();
    void Command(int id, int code);
    void CreateControls();
    void FitLabels() const;
    void SizeAndCentre();

    DialogOwner owner_;
    HWND handle_ = nullptr;
    int modalResult_ = kModalNone;
};

}  // namespace dhsu
