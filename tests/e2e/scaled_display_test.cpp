// At the screen's DPI (150 % in the Scaled150 run) the main window and the dialogs take their
// scaled size, and every text they show fits its control in the control's own font.

#include <gtest/gtest.h>

#include <cwchar>

#include "control_probe.h"
#include "dhsu_test.h"
#include "dialog_driver.h"

namespace e2e {
namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Scale(int value) {
    return MulDiv(value, ScreenDpi(), 96);
}

// The DPI the run set the Wine prefix to; 96 when it set none.
int RequestedDpi() {
    wchar_t value[16] = {};
    return GetEnvironmentVariableW(L"DHSU_WINE_DPI", value, 16) ? _wtoi(value) : 96;
}

bool Is(const ControlFacts& control, const wchar_t* className) {
    return _wcsicmp(control.className, className) == 0;
}

// The width a control leaves its text, or -1 for one whose text scrolls, is shortened with an
// ellipsis on purpose, or that shows none.
int RoomAcross(const ControlFacts& control) {
    const DWORD style = control.style;
    if (Is(control, L"Static")) {
        const DWORD kind = style & SS_TYPEMASK;
        const bool text = kind == SS_LEFT || kind == SS_LEFTNOWORDWRAP;
        return text && !(style & SS_ELLIPSISMASK) ? control.client.cx : -1;
    }
    if (Is(control, L"Button")) {
        switch (style & BS_TYPEMASK) {
            case BS_GROUPBOX:  // the caption sits in the frame's line, inset from its ends
                return control.client.cx - Scale(16);
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:  // beside the box or the circle
                return control.client.cx - GetSystemMetrics(SM_CXMENUCHECK) - Scale(4);
            default:  // inside the button's edges
                return control.client.cx - Scale(4);
        }
    }
    if (Is(control, L"ComboBox"))  // beside the drop-down arrow
        return control.client.cx - GetSystemMetrics(SM_CXVSCROLL) - Scale(4);
    return -1;
}

// The height a control leaves its text: a multi-line edit must show all its lines.
bool TextFitsDown(const ControlFacts& control) {
    if (Is(control, L"Edit") && (control.style & ES_MULTILINE))
        return control.lines * control.lineHeight <= control.client.cy;
    if (RoomAcross(control) < 0 || Is(control, L"ComboBox")) return true;
    return control.lines * control.lineHeight <= control.client.cy;
}

// Each visible control that shows text, with what it needs and what it has; the clipped ones.
struct FitReport {
    int measured = 0;
    std::vector<std::string> clipped;
};

FitReport CheckTextFit(const std::vector<ControlFacts>& facts) {
    FitReport report;
    for (const ControlFacts& control : facts) {
        if (control.id == 0 || !(control.style & WS_VISIBLE) || control.text[0] == 0) continue;
        const int room = RoomAcross(control);
        const bool multiLineEdit = Is(control, L"Edit") && (control.style & ES_MULTILINE);
        if (room < 0 && !multiLineEdit) continue;
        ++report.measured;
        if ((room < 0 || control.textWidth <= room) && TextFitsDown(control)) continue;
        char line[160];
        std::snprintf(line, sizeof line, "control %d: %d x %d text in %d x %ld (%d lines)",
                      control.id, control.textWidth, control.lines * control.lineHeight, room,
                      control.client.cy, control.lines);
        report.clipped.push_back(line);
    }
    return report;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

class ScaledDisplayTest : public DhsuTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(ScreenDpi(), RequestedDpi());
        DhsuTest::SetUp();
        Start();
    }
};

TEST_F(ScaledDisplayTest, MainWindowIsScaledAndShowsEveryTextWhole) {
    const SIZE client = ClientSize(dhsu->Window());
    EXPECT_EQ(client.cx, Scale(449));
    EXPECT_EQ(client.cy, Scale(316));
    const FitReport fit = CheckTextFit(ProbeControls(dhsu->Window()));
    // Group boxes, check boxes, buttons, labels, the drive list and both memos.
    EXPECT_EQ(fit.measured, 11);
    EXPECT_EQ(fit.clipped, std::vector<std::string>{});
}

TEST_F(ScaledDisplayTest, DialogsAreScaledAndShowEveryTextWhole) {
    struct Expected {
        DhsuDialog dialog;
        int width, height, measured;
    };
    for (const Expected& expected : {Expected{DhsuDialog::kNewFolder, 393, 102, 3},
                                     Expected{DhsuDialog::kFileName, 393, 161, 6},
                                     Expected{DhsuDialog::kShutterKey, 384, 192, 6}}) {
        SCOPED_TRACE(static_cast<int>(expected.dialog));
        const HWND dialog = OpenDialog(*dhsu, expected.dialog);
        ASSERT_NE(dialog, nullptr);
        const SIZE client = ClientSize(dialog);
        EXPECT_EQ(client.cx, Scale(expected.width));
        EXPECT_EQ(client.cy, Scale(expected.height));
        const FitReport fit = CheckTextFit(ProbeControls(dialog));
        EXPECT_EQ(fit.measured, expected.measured);
        EXPECT_EQ(fit.clipped, std::vector<std::string>{});
        PostClick(GetDlgItem(dialog, IDCANCEL));
        ASSERT_TRUE(WaitForClosed(dialog));
    }
}

}  // namespace
}  // namespace e2e
