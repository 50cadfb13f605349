// Any program can send or post any message to our windows: a barrage of every kind changes
// nothing the user set, and shots still go the whole way to a JPEG file.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <dde.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>
#include <vector>

#include "dhsu_test.h"
#include "dialog_driver.h"
#include "jpeg/encode_jpeg_win.h"
#include "registry_settings.h"
#include "test_window.h"
#include "ui/Unit_OptionDialog.h"
#include "ui/main_window_controls_win.h"
#include "window_search.h"

namespace e2e {
namespace {

// Small numbers, our ids (controls with notification codes, timers, the hotkey, the menu item),
// -1, large values, and then our window handles.
std::vector<WPARAM> HostileParameters(const std::vector<HWND>& windows) {
    std::vector<WPARAM> values{0, 1, 2, 3, 4, 5, 0x10, 0xFFFF, 0x10000, 0x7FFFFFFF, 0xFFFFFFFF};
    values.insert(values.end(), {WPARAM(-1), dhsu::POPUP_NEWFOLDER});
    for (int id = dhsu::Image_Logo; id <= dhsu::ListBox_Q; ++id)
        for (WORD code : {0, 1, 2, 0x200}) values.push_back(MAKEWPARAM(id, code));
    for (HWND window : windows) values.push_back(reinterpret_cast<WPARAM>(window));
    return values;
}

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_IME_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           (message >= WM_IME_SETCONTEXT && message <= WM_IME_KEYUP) ||
           (message >= WM_NCMOUSEHOVER && message <= WM_MOUSELEAVE);
}

// Left out: what closes the window or ends the session by design; input, which does what the
// user's own keys and clicks do; the controls' own setters and life (the buttons' clicks and
// checks, the quality edit's and its spinner's, the folder lists' selection); EM_GETLINE (Wine 8
// now and then kills the thread copying its reply); and handles and pointers that the system does
// not marshal (a local memory handle, a callback, COMBOBOXINFO, DDE's global memory).
bool LeftOut(int id, UINT message) {
    if (message == WM_CLOSE || message == WM_QUIT || message == WM_ENDSESSION || IsInput(message) ||
        message == EM_GETLINE || message == EM_SETHANDLE || message == EM_SETWORDBREAKPROC ||
        message == CB_GETCOMBOBOXINFO || (message >= WM_DDE_FIRST && message <= WM_DDE_LAST))
        return true;
    if (id != 0 && (message == WM_CREATE || message == WM_NCCREATE || message == WM_DESTROY ||
                    message == WM_NCDESTROY))
        return true;
    switch (id) {
        case dhsu::CheckBox_JPEG:
        case dhsu::CheckBox_ClientRect:
        case dhsu::Button_FileName:
        case dhsu::Button_Option:
            return message >= BM_GETCHECK && message <= BM_SETDONTCLICK;
        case dhsu::Edit_Q:
            return message == WM_SETTEXT || (message >= EM_GETSEL && message <= EM_GETIMESTATUS) ||
                   (message >= WM_CUT && message <= WM_UNDO);
        case dhsu::UpDown1:
            return message >= UDM_SETRANGE && message <= UDM_GETPOS32;
        case dhsu::DriveComboBox1:
            return message == CB_SETCURSEL;
        case dhsu::DirectoryListBox1:
            return message == LB_SETCURSEL;
    }
    return false;
}

// A message whose pointer is a string gets the name of a file beside the shots; any other an
// empty structure.
bool CarriesString(UINT message) {
    const UINT strings[] = {
        WM_SETTEXT,         WM_WININICHANGE, WM_DEVMODECHANGE, EM_REPLACESEL, LB_ADDSTRING,
        LB_INSERTSTRING,    LB_DIR,          LB_ADDFILE,       LB_FINDSTRING, LB_FINDSTRINGEXACT,
        LB_SELECTSTRING,    CB_ADDSTRING,    CB_INSERTSTRING,  CB_DIR,        CB_FINDSTRING,
        CB_FINDSTRINGEXACT, CB_SELECTSTRING};
    return std::find(std::begin(strings), std::end(strings), message) != std::end(strings);
}

// Every file under `folder` but our shots, which a forged hotkey may take.
std::set<std::filesystem::path> FilesBesideShots(const std::filesystem::path& folder) {
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().filename().wstring().rfind(L"Fz", 0) != 0) files.insert(entry.path());
    return files;
}

class ForeignMessagesTest : public DhsuTest {
  protected:
    // What the user set before the barrage: each setting other than its default.
    void SetUp() override {
        DhsuTest::SetUp();
        shots = folder / "Shots";
        std::filesystem::create_directories(shots / "Sub");
        ClearSettings();
        WriteStringSetting(L"FilePrefix", L"Fz");
        WriteDwordSetting(L"FileSuffix", 0);
        WriteStringSetting(L"ScreenShot Folder", shots.wstring());
        WriteDwordSetting(L"Shutter", VK_PAUSE);
        WriteDwordSetting(L"ClientRect", 0);
        WriteDwordSetting(L"JpegCompression", 1);
        WriteDwordSetting(L"JPEG Quality", 42);
        Start(/*withLibrary=*/true, /*keepSettings=*/true);
    }
    // Empty while the window answers and shows what was set.
    std::string Changed() const {
        if (!dhsu->HandledEarlierMessages()) return "no answer";
        if (FindTopWindow(L"#32770", nullptr, dhsu->Id())) return "a dialog";
        if (dhsu->ControlText(dhsu::Edit_Q) != "42") return "the quality";
        if (dhsu->IsChecked(dhsu::CheckBox_ClientRect) || !dhsu->IsChecked(dhsu::CheckBox_JPEG))
            return "a check box";
        wchar_t row[MAX_PATH] = {};
        HWND directories = dhsu->Control(dhsu::DirectoryListBox1);
        const auto selected = SendMessageW(directories, LB_GETCURSEL, 0, 0);
        SendMessageTimeoutW(directories, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(row),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
        if (selected != LB_ERR && std::wstring(row).find(L"Shots") == std::wstring::npos)
            return "the folder";
        return {};
    }

    std::filesystem::path shots;
};

// Every message below WM_USER + 0x100, WM_APP ones and registered ones, to the main window and
// each of its controls with random hostile parameters, and the messages the main window handles
// with every parameter. A check after each message names it if it broke something.
TEST_F(ForeignMessagesTest, BarrageOfEveryKindChangesNothingTheUserSet) {
    // A dialog takes its own start again from nobody.
    const HWND dialog = OpenDialog(*dhsu, DhsuDialog::kShutterKey);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_INITDIALOG, 0, 0x1234);
    PostClick(GetDlgItem(dialog, dhsu::TForm_KeyAssign::OKBtn));
    ASSERT_TRUE(WaitForClosed(dialog));

    const auto started = std::chrono::steady_clock::now();
    const std::wstring decoy = (folder / "decoy.bmp").wstring();
    std::filesystem::copy_file(folder / "dhsu.exe", decoy);
    const std::set<std::filesystem::path> files = FilesBesideShots(folder);
    std::vector<HWND> windows{dhsu->Window()};
    for (int id = dhsu::Image_Logo; id <= dhsu::ListBox_Q; ++id)
        windows.push_back(dhsu->Control(id));
    const std::vector<WPARAM> parameters = HostileParameters(windows);
    const UINT workerStep = RegisterWindowMessageW(dhsu::win::kWorkerStepMessageName);
    std::vector<UINT> messages;
    for (UINT message = 0; message < WM_USER + 0x100; ++message) messages.push_back(message);
    for (UINT message = WM_APP; message < WM_APP + 0x10; ++message) messages.push_back(message);
    messages.insert(messages.end(), {workerStep, RegisterWindowMessageW(L"TaskbarCreated")});
    const UINT handled[] = {WM_CREATE,      WM_SHOWWINDOW,    WM_TIMER,           WM_DRAWCLIPBOARD,
                            WM_HOTKEY,      WM_CHANGECBCHAIN, WM_VSCROLL,         WM_COMMAND,
                            WM_ACTIVATEAPP, WM_CONTEXTMENU,   WM_CTLCOLORSTATIC,  WM_DRAWITEM,
                            WM_DPICHANGED,  WM_GETFONT,       WM_QUERYENDSESSION, WM_DESTROY,
                            WM_NCDESTROY,   workerStep};

    // Only what the system marshals goes across: a message it will not post carries a pointer,
    // and goes as a sent copy.
    std::vector<wchar_t> buffer(0x8000);
    std::mt19937 random(30);
    int count = 0;
    // Posted, and sent too when `alsoSent`: the system drops a posted WM_TIMER that names a
    // callback.
    auto send = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool alsoSent) {
        ++count;
        if (PostMessageW(window, message, wParam, lParam)) {
            if (alsoSent)
                SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 200,
                                    nullptr);
            return;
        }
        if (GetLastError() != ERROR_MESSAGE_SYNC_ONLY) return;
        std::fill(buffer.begin(), buffer.end(), L'\0');
        if (CarriesString(message)) std::copy(decoy.begin(), decoy.end(), buffer.begin());
        SendMessageTimeoutW(window, message, 0, reinterpret_cast<LPARAM>(buffer.data()),
                            SMTO_ABORTIFHUNG, 2000, nullptr);
    };
    auto any = [&] { return parameters[random() % parameters.size()]; };
    // The main window's own messages with each parameter, on the window as it starts and again
    // on its controls as the barrage leaves them.
    auto eachHandled = [&] {
        for (UINT message : handled) {
            for (WPARAM wParam : parameters)
                send(dhsu->Window(), message, wParam, static_cast<LPARAM>(any()), true);
            const std::string changed = Changed();
            ASSERT_EQ(changed, "") << std::hex << "after message 0x" << message << " to the window";
        }
    };
    ASSERT_NO_FATAL_FAILURE(eachHandled());
    for (UINT message : messages) {
        for (std::size_t window = 0; window < windows.size(); ++window) {
            const int id = window == 0 ? 0 : dhsu::Image_Logo + int(window) - 1;
            for (int round = 0; round < 2 && !LeftOut(id, message); ++round)
                send(windows[window], message, any(), static_cast<LPARAM>(any()), false);
        }
        const std::string changed = Changed();
        ASSERT_EQ(changed, "") << std::hex << "after message 0x" << message;
    }
    ASSERT_NO_FATAL_FAILURE(eachHandled());
    const auto barrage = std::chrono::steady_clock::now() - started;
    std::printf("%d messages in %lld ms\n", count,
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(barrage).count()));

    RECT client{};
    GetClientRect(dhsu->Window(), &client);
    EXPECT_EQ(client.right, 449);
    EXPECT_EQ(client.bottom, 316);
    // A shot still goes the whole way to its JPEG file.
    TestWindow window(700, 500, 80, 60);
    ASSERT_TRUE(window.BringToFront());
    const auto shotsBefore = std::distance(std::filesystem::directory_iterator(shots), {});
    PressKey(VK_PAUSE);
    EXPECT_TRUE(WaitFor([&] {
        return std::distance(std::filesystem::directory_iterator(shots), {}) > shotsBefore;
    }));

    // The worker drops a line of another program's even when it comes after the last shot.
    SendMessageTimeoutW(dhsu->Control(dhsu::ListBox_BMPFiles), LB_ADDFILE, 0x10,
                        reinterpret_cast<LPARAM>(L"-1"), SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
    ASSERT_EQ(dhsu->Close(std::chrono::seconds(10)), 0u);
    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"Fz");
    EXPECT_EQ(ReadDwordSetting(L"FileSuffix"), 0u);
    EXPECT_EQ(ReadStringSetting(L"ScreenShot Folder"), shots.wstring());
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), std::uint32_t{VK_PAUSE});
    EXPECT_EQ(ReadDwordSetting(L"ClientRect"), 0u);
    EXPECT_EQ(ReadDwordSetting(L"JpegCompression"), 1u);
    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 42u);
    EXPECT_EQ(FilesBesideShots(folder), files);
    for (const auto& shot : std::filesystem::directory_iterator(shots))
        EXPECT_NE(shot.path().extension(), ".bmp") << shot.path();
}

}  // namespace
}  // namespace e2e
