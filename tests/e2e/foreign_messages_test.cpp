// Any program can send or post any message to our windows: private, malformed or out-of-turn
// messages change nothing, and shots still go the whole way to a JPEG file.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "dhsu_test.h"
#include "dialog_driver.h"
#include "jpeg/encode_jpeg_win.h"
#include "test_window.h"
#include "ui/Unit_OptionDialog.h"
#include "ui/main_window_controls_win.h"

namespace e2e {
namespace {

constexpr LPARAM kJunk = 0x1234;  // an address where nothing lives in dhsu

struct Junk {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ForeignMessagesTest : public DhsuTest {
  protected:
    ForeignMessagesTest() { mayExitByItself = true; }
    void SetUp() override {
        DhsuTest::SetUp();
        Start(/*withLibrary=*/true);
    }
    int QualityPosition() const {
        DWORD_PTR position = 0;
        SendMessageTimeoutW(dhsu->Control(dhsu::UpDown1), UDM_GETPOS32, 0, 0, SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &position);
        return static_cast<int>(position);
    }
    // Posted messages are handled in order: once a quality posted after them shows, every
    // message posted before it has been handled.
    bool PostedMessagesHandled() {
        const int mark = ++lastMark;
        PostMessageW(dhsu->Control(dhsu::UpDown1), UDM_SETPOS32, 0, mark);
        return WaitFor([&] { return dhsu->HasExited() || QualityPosition() == mark; }) &&
               !dhsu->HasExited();
    }
    void PostEach(HWND window, std::initializer_list<Junk> messages) {
        for (const Junk& junk : messages) {
            PostMessageW(window, junk.message, junk.wParam, junk.lParam);
            ASSERT_TRUE(PostedMessagesHandled()) << junk.name;
        }
    }

    int lastMark = 10;
};

TEST_F(ForeignMessagesTest, JunkPrivateAndOutOfTurnMessagesChangeNothing) {
    const UINT workerStep = RegisterWindowMessageW(dhsu::win::kWorkerStepMessageName);
    ASSERT_NO_FATAL_FAILURE(PostEach(
        dhsu->Window(), {{"WM_APP+1", WM_APP + 1, 0, 0},
                         {"WM_APP+1 with junk", WM_APP + 1, kJunk, kJunk},
                         {"the worker's message", workerStep, 0, 0},
                         {"the worker's message with its first ticket", workerStep, 1, kJunk},
                         {"WM_DPICHANGED with junk", WM_DPICHANGED, MAKEWPARAM(192, 192), kJunk},
                         {"WM_DPICHANGED empty", WM_DPICHANGED, 0, 0},
                         {"WM_CONTEXTMENU with junk", WM_CONTEXTMENU, kJunk, kJunk},
                         {"WM_CTLCOLORSTATIC with junk", WM_CTLCOLORSTATIC, kJunk, kJunk},
                         {"WM_DESTROY", WM_DESTROY, 0, 0},
                         {"WM_NCDESTROY", WM_NCDESTROY, 0, 0}}));

    // Sent across, the structures are copied for dhsu; the pointers and handles inside stay junk.
    CREATESTRUCTW creation{};
    creation.lpCreateParams = reinterpret_cast<void*>(kJunk);
    DRAWITEMSTRUCT drawing{ODT_STATIC, dhsu::Image_Logo};
    drawing.hDC = reinterpret_cast<HDC>(kJunk);
    const Junk sent[] = {{"WM_CREATE", WM_CREATE, 0, reinterpret_cast<LPARAM>(&creation)},
                         {"WM_NCCREATE", WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&creation)},
                         {"WM_DRAWITEM", WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&drawing)},
                         {"the worker's message, sent", workerStep, kJunk, kJunk}};
    for (const Junk& junk : sent)
        ASSERT_TRUE(SendMessageTimeoutW(dhsu->Window(), junk.message, junk.wParam, junk.lParam,
                                        SMTO_NORMAL, kSendTimeoutMs, nullptr))
            << junk.name;

    RECT client{};
    GetClientRect(dhsu->Window(), &client);
    EXPECT_EQ(client.right, 449);
    EXPECT_EQ(client.bottom, 316);

    PostClick(dhsu->Control(dhsu::Button_Option));
    HWND dialog = WaitForDialog(L"Nastavení klávesy", dhsu->Id());
    ASSERT_NE(dialog, nullptr);
    ASSERT_NO_FATAL_FAILURE(
        PostEach(dialog, {{"WM_INITDIALOG with junk", WM_INITDIALOG, 0, kJunk}}));
    PostClick(GetDlgItem(dialog, dhsu::TForm_KeyAssign::OKBtn));
    ASSERT_TRUE(WaitForClosed(dialog));

    // A shot still goes the whole way: written, handed to the worker, converted.
    TestWindow window(700, 500, 80, 60);
    ASSERT_TRUE(window.BringToFront());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] {
        return std::filesystem::exists(folder / "DH0001.jpg") &&
               !std::filesystem::exists(folder / "DH0001.bmp");
    })) << ::testing::PrintToString(FilesIn(folder));
}

}  // namespace
}  // namespace e2e
