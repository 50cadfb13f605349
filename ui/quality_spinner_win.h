#pragma once
// The JPEG quality's spinner, UpDown1 with its edit Edit_Q. Its committed position is what
// shots and the settings take: typed text counts once committed (focus leaves, Enter, the
// program loses activation). The stored quality is put in again when the window shows and once
// more on Timer1, after start-up has settled.

#include <windows.h>

#include <cstdint>

#include "jpeg/jpeg_quality.h"

namespace dhsu {

class QualitySpinner {
  public:
    static constexpr UINT_PTR kTimer1Id = 1;  // a WM_TIMER of the window

    // Sets up the freshly made controls of `window`: range, step, the default position, and
    // Enter reaching the edit.
    void Attach(HWND window, HWND upDown, HWND edit);
    // The stored quality, not clamped yet: shown now, again when the window shows and on Timer1.
    void Load(std::int16_t quality);
    int Position() const { return position_; }
    HWND UpDown() const { return upDown_; }

    void FormShow();
    void Timer1Timer();
    void Edit_QExit();
    void Edit_QKeyDown(WPARAM key);
    void UpDown1Click();

  private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR spinner);
    void SetPosition(int position);
    int ReadPosition() const;
    void StartTimer1();

    HWND window_ = nullptr;
    HWND upDown_ = nullptr;
    HWND edit_ = nullptr;
    std::int16_t pending_ = -1;
    // The committed position: asking the control would read an uncommitted edit text.
    int position_ = kDefaultQuality;
    bool timerRunning_ = false;
};

}  // namespace dhsu
