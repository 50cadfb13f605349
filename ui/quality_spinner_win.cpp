#include "ui/quality_spinner_win.h"

#include <commctrl.h>

#include <string>

#include "ui/error_box_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr UINT kTimer1Interval = 700;

}  // namespace

void QualitySpinner::Attach(HWND window, HWND upDown, HWND edit) {
    window_ = window;
    upDown_ = upDown;
    edit_ = edit;
    SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    SendMessageW(upDown_, UDM_SETRANGE32, kMinQuality, kMaxQuality);
    UDACCEL stepByOne{0, 1};  // however long an arrow is held
    SendMessageW(upDown_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&stepByOne));
    SetPosition(kDefaultQuality);  // the up-down writes it into Edit_Q
    SendMessageW(edit_, EM_SETLIMITTEXT, 8, 0);
    SetWindowSubclass(edit_, EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
    StartTimer1();
}

void QualitySpinner::Load(std::int16_t quality) {
    SetPosition(quality);
    pending_ = quality;
}

void QualitySpinner::FormShow() {
    if (pending_ == -1) return;
    SetPosition(pending_);
    StartTimer1();
}

// Any program can post the timer's message: only a running Timer1 re-applies the quality.
void QualitySpinner::Timer1Timer() {
    if (!timerRunning_) return;
    SetPosition(pending_);
    pending_ = -1;
    KillTimer(window_, kTimer1Id);
    timerRunning_ = false;
}

void QualitySpinner::Edit_QExit() {
    const int quality = CommittedQuality(win::WindowText(edit_));
    SetPosition(quality);
    win::SetWindowTextUtf8(edit_, std::to_string(quality));
}

void QualitySpinner::Edit_QKeyDown(WPARAM key) {
    if (key == VK_RETURN) Edit_QExit();
}

// The arrows have moved the position and written it into the edit.
void QualitySpinner::UpDown1Click() {
    position_ = ReadPosition();
}

void QualitySpinner::SetPosition(int position) {
    SendMessageW(upDown_, UDM_SETPOS32, 0, position);
    position_ = ReadPosition();  // clamped to the range, and in the edit now
}

// The control re-reads the edit for this, so only right after it wrote the edit itself is the
// answer the committed position.
int QualitySpinner::ReadPosition() const {
    return static_cast<int>(SendMessageW(upDown_, UDM_GETPOS32, 0, 0));
}

void QualitySpinner::StartTimer1() {
    if (timerRunning_) return;
    SetTimer(window_, kTimer1Id, kTimer1Interval, nullptr);
    timerRunning_ = true;
}

LRESULT CALLBACK QualitySpinner::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR spinner) {
    // Enter reaches the edit instead of the dialog navigation, so it can commit the quality.
    if (message == WM_GETDLGCODE && wParam == VK_RETURN) return DLGC_WANTALLKEYS;
    if (message == WM_KEYDOWN)
        RunShowingErrors(GetParent(edit), [&] {
            reinterpret_cast<QualitySpinner*>(spinner)->Edit_QKeyDown(wParam);
        });
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace dhsu
