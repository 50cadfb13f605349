// The shutter key turns the foreground window into numbered BMP files; a folder that fails
// shows one error box however often the key is pressed; what a killed run left half written is
// cleared at the next start.

#include <gtest/gtest.h>

#include <fstream>

#include "dhsu_test.h"
#include "test_window.h"
#include "ui/main_window_controls_win.h"
#include "window_search.h"

namespace e2e {
namespace {

constexpr int kClientWidth = 200, kClientHeight = 150;

class ShutterKeyTest : public DhsuTest {
  protected:
    void SetUp() override {
        DhsuTest::SetUp();
        std::filesystem::create_directory(folder / "shots");
        ASSERT_NO_FATAL_FAILURE(Start());
        // Plain BMP shots: no conversion waits in these tests.
        dhsu->Click(dhsu::CheckBox_JPEG);
        ASSERT_FALSE(dhsu->IsChecked(dhsu::CheckBox_JPEG));
    }
    // Presses Esc over the test window and waits for `name` to be written completely.
    void Shoot(TestWindow& window, const std::filesystem::path& expected) {
        ASSERT_TRUE(window.BringToFront());
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(expected); }))
            << "no " << expected.string()
            << "; files: " << ::testing::PrintToString(FilesIn(expected.parent_path()));
    }

    TestWindow window{700, 500, kClientWidth, kClientHeight};
};

TEST_F(ShutterKeyTest, ClientAreaIsSavedPixelForPixelAsNumberedFiles) {
    Shoot(window, folder / "DH0001.bmp");
    ASSERT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) == "Shot : 1"; }));
    BmpImage image;
    ASSERT_TRUE(ReadBmp(folder / "DH0001.bmp", image));
    EXPECT_EQ(image.width, kClientWidth);
    EXPECT_EQ(image.height, kClientHeight);
    EXPECT_EQ(image.bitsPerPixel, 24);
    ExpectPattern(image, 0, 0, kClientWidth, kClientHeight);

    Shoot(window, folder / "DH0002.bmp");
    EXPECT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) == "Shot : 2"; }));
    EXPECT_EQ(dhsu->Caption(), "DH Screenshot Utility");
}

TEST_F(ShutterKeyTest, WholeWindowWhenClientAreaModeIsOff) {
    dhsu->Click(dhsu::CheckBox_ClientRect);
    ASSERT_FALSE(dhsu->IsChecked(dhsu::CheckBox_ClientRect));
    Shoot(window, folder / "DH0001.bmp");
    BmpImage image;
    ASSERT_TRUE(WaitFor([&] { return ReadBmp(folder / "DH0001.bmp", image); }));
    const RECT frame = window.WindowRect();
    EXPECT_EQ(image.width, frame.right - frame.left);
    EXPECT_EQ(image.height, frame.bottom - frame.top);
    const POINT client = window.ClientOrigin();
    ExpectPattern(image, client.x - frame.left, client.y - frame.top, kClientWidth, kClientHeight);
}

TEST_F(ShutterKeyTest, PressesIntoAVanishedFolderShowOneErrorBoxAndTheyGoOnWorking) {
    const auto shots = folder / "shots";
    // Open "shots", the only sub-folder and so the last row of the directory list.
    HWND directories = dhsu->Control(dhsu::DirectoryListBox1);
    const auto rows = SendMessageW(directories, LB_GETCOUNT, 0, 0);
    SendMessageW(directories, LB_SETCURSEL, rows - 1, 0);
    SendMessageW(dhsu->Window(), WM_COMMAND, MAKEWPARAM(dhsu::DirectoryListBox1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(directories));
    ASSERT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) == "Obr.  : 0"; }));
    std::filesystem::remove(shots);

    ASSERT_TRUE(window.BringToFront());
    constexpr int kPresses = 20;
    for (int i = 0; i < kPresses; ++i) PressKey(VK_ESCAPE);
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (box = FindMessageBox(L"DH Screenshot Utility", dhsu->Id())) != nullptr;
    })) << "files: "
        << ::testing::PrintToString(FilesIn(folder));
    EXPECT_EQ(CountTopWindows(L"#32770", L"DH Screenshot Utility", dhsu->Id()), 1);
    const std::string text = MessageBoxText(box);
    EXPECT_NE(text.find("shots\\DH0001.bmp"), std::string::npos) << text;

    // With the box still up, a press after the folder is back writes its shot.
    std::filesystem::create_directory(shots);
    char next[16];
    std::snprintf(next, sizeof next, "DH%04d.bmp", kPresses + 1);
    Shoot(window, shots / next);
    const std::string count = "Shot : " + std::to_string(kPresses + 1);
    EXPECT_TRUE(WaitFor([&] { return dhsu->ControlText(dhsu::Label_Count) == count; }));
    DismissMessageBox(box);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"dhsu.exe"});
    EXPECT_EQ(FilesIn(shots), std::vector<std::string>{next});
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

TEST(ShutterKeyRegistration, KeyHeldByAnotherProgramIsReportedThenWorksOnceLetGo) {
    TestWindow holder(700, 500, 40, 30);
    ASSERT_TRUE(RegisterHotKey(holder.Handle(), 1, 0, VK_ESCAPE));
    const auto folder = FreshFolder("ShutterKeyTaken");
    DhsuProcess dhsu(folder, false, false, /*waitForWindow=*/false);
    HWND box = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (box = FindMessageBox(L"Error", dhsu.Id())) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box), "Filed to regist hot key");
    DismissMessageBox(box);
    ASSERT_NE(dhsu.WaitForWindow(), nullptr);
    dhsu.Click(dhsu::CheckBox_JPEG);

    UnregisterHotKey(holder.Handle(), 1);
    ASSERT_TRUE(WaitForKeyHeldElsewhere(holder.Handle(), VK_ESCAPE));
    ASSERT_TRUE(holder.BringToFront());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(folder / "DH0001.bmp"); }))
        << ::testing::PrintToString(FilesIn(folder));
    EXPECT_EQ(CountTopWindows(L"#32770", L"Error", dhsu.Id()), 0);
    EXPECT_EQ(dhsu.Close(), 0u);
}

TEST(LeftoverShots, OnlyOurTemporaryFilesThatNobodyHoldsGoAtTheNextStart) {
    const auto folder = FreshFolder("LeftoverShots");
    const auto put = [&](const char* name, const std::string& content) {
        std::ofstream(folder / name, std::ios::binary) << content;
    };
    put("~dhsu-00000abc00000001.tmp", std::string("BM\x36\x00", 4));  // killed while writing
    put("~dhsu-00000abc00000002.tmp", "");                            // before the first byte
    put("~dhsu-00000abc00000005.tmp", "\xFF\xD8\xFF");  // a JPEG that NviewLib was writing
    put("~dhsu-00000abc00000003.tmp", "BM");            // being written by a running copy
    put("~dhsu-00000abc00000004.tmp", "my notes");
    put("~dhsu-notes.tmp", "BM");
    put("DH0001.bmp", "BM");
    // A running copy holds its shot open until the shot has its name.
    const HANDLE held =
        CreateFileW((folder / "~dhsu-00000abc00000003.tmp").c_str(), GENERIC_WRITE | DELETE,
                    FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    DhsuProcess dhsu(folder);  // its window shows only after the start-up has run
    ASSERT_NE(dhsu.Window(), nullptr);
    EXPECT_EQ(FilesIn(folder),
              (std::vector<std::string>{"DH0001.bmp", "dhsu.exe", "~dhsu-00000abc00000003.tmp",
                                        "~dhsu-00000abc00000004.tmp", "~dhsu-notes.tmp"}));
    CloseHandle(held);
    EXPECT_EQ(dhsu.Close(), 0u);
}

}  // namespace
}  // namespace e2e
