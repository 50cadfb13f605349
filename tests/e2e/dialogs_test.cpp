// The three dialogs, driven through their controls: the new folder, the file name and the
// shutter key, each proved by the shots that follow and the settings stored at close.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "dhsu_test.h"
#include "dialog_driver.h"
#include "registry_settings.h"
#include "test_window.h"
#include "ui/Unit_InputFilePrefix.h"
#include "ui/Unit_NewFolder.h"
#include "ui/Unit_OptionDialog.h"
#include "ui/main_window_controls_win.h"
#include "window_search.h"

namespace e2e {
namespace {

using NewFolder = dhsu::TForm_Input;
using FileName = dhsu::TForm_InputFilePrefix;
using ShutterKey = dhsu::TForm_KeyAssign;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Each test gets its own shot folder and, through the environment dhsu inherits, its own
// temporary folder.
class DialogTest : public DhsuTest {
  protected:
    DialogTest() { mayExitByItself = true; }
    void SetUp() override {
        DhsuTest::SetUp();
        temp = FreshFolder(folder.filename().string() + "-temp");
        for (const wchar_t* variable : {L"TMP", L"TEMP"}) {
            wchar_t old[MAX_PATH] = {};
            GetEnvironmentVariableW(variable, old, MAX_PATH);
            savedTemp.emplace_back(variable, old);
            SetEnvironmentVariableW(variable, temp.c_str());
        }
    }
    void TearDown() override {
        DhsuTest::TearDown();
        for (const auto& [variable, value] : savedTemp)
            SetEnvironmentVariableW(variable.c_str(), value.empty() ? nullptr : value.c_str());
    }

    void StartWithBmpShots(bool keepSettings = false) {
        ASSERT_NO_FATAL_FAILURE(Start(false, keepSettings));
        // Plain BMP shots: no conversion waits in these tests.
        if (dhsu->IsChecked(dhsu::CheckBox_JPEG)) dhsu->Click(dhsu::CheckBox_JPEG);
        ASSERT_FALSE(dhsu->IsChecked(dhsu::CheckBox_JPEG));
    }
    // Stops the program, so that it stores its settings.
    void Stop() {
        ASSERT_EQ(dhsu->Close(), 0u);
        dhsu.reset();
    }

    HWND OpenNewFolder() { return OpenDialog(*dhsu, DhsuDialog::kNewFolder); }
    HWND OpenFileName() { return OpenDialog(*dhsu, DhsuDialog::kFileName); }
    HWND OpenShutterKey() { return OpenDialog(*dhsu, DhsuDialog::kShutterKey); }
    // Presses a button that closes the dialog.
    static void Close(HWND dialog, int button) {
        PostClick(GetDlgItem(dialog, button));
        ASSERT_TRUE(WaitForClosed(dialog));
    }
    // The message box a press gave: its text, after pressing its OK.
    std::string TakeMessageBox(const std::wstring& caption) {
        HWND box = WaitForDialog(caption, dhsu->Id());
        if (!box) return "(no message box)";
        const std::string text = MessageBoxText(box);
        DismissMessageBox(box);
        return text;
    }

    void Shoot(WORD key, const std::filesystem::path& expected) {
        ASSERT_TRUE(window.BringToFront());
        PressKey(key);
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(expected); }))
            << "no " << expected.string()
            << "; files: " << ::testing::PrintToString(FilesIn(expected.parent_path()));
    }

    std::filesystem::path temp;
    std::vector<std::pair<std::wstring, std::wstring>> savedTemp;
    TestWindow window{700, 500, 200, 150};
};

using DialogNewFolderTest = DialogTest;
using DialogFileNameTest = DialogTest;
using DialogShutterKeyTest = DialogTest;

TEST_F(DialogNewFolderTest, EnterMakesTheProposedFolderAndTheNextShotGoesThere) {
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    HWND dialog = OpenNewFolder();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, NewFolder::Label_Parent)),
              "Parent Folder : " + folder.string());
    EXPECT_EQ(WindowText(GetDlgItem(dialog, NewFolder::Edit_NewFolder)), "DH-Obrazky");
    ASSERT_EQ(FocusIn(dialog), GetDlgItem(dialog, NewFolder::Button1));

    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForClosed(dialog));
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::is_directory(folder / "DH-Obrazky"); }));

    Shoot(VK_ESCAPE, folder / "DH-Obrazky" / "DH0001.bmp");
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"dhsu.exe"});
}

TEST_F(DialogNewFolderTest, FolderThatExistsOrEmptyNameGivesTheFailureAndTheListsStay) {
    std::filesystem::create_directory(folder / "DH-Obrazky");
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    HWND dialog = OpenNewFolder();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NO_FATAL_FAILURE(Close(dialog, NewFolder::Button1));
    EXPECT_EQ(TakeMessageBox(L"ERROR"), "Failure to create a new folder");

    dialog = OpenNewFolder();
    ASSERT_NE(dialog, nullptr);
    SetText(GetDlgItem(dialog, NewFolder::Edit_NewFolder), "");
    ASSERT_NO_FATAL_FAILURE(Close(dialog, NewFolder::Button1));
    EXPECT_EQ(TakeMessageBox(L"ERROR"), "Failure to create a new folder");

    // Storno makes nothing; the lists never left the program's folder.
    dialog = OpenNewFolder();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, NewFolder::Label_Parent)),
              "Parent Folder : " + folder.string());
    SetText(GetDlgItem(dialog, NewFolder::Edit_NewFolder), "Jiny");
    ASSERT_NO_FATAL_FAILURE(Close(dialog, NewFolder::Button2));
    Shoot(VK_ESCAPE, folder / "DH0001.bmp");
    EXPECT_FALSE(std::filesystem::exists(folder / "Jiny"));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "DH-Obrazky"));
}

TEST_F(DialogFileNameTest, EmptyPrefixIsRefusedAndStornoKeepsTheOldOne) {
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    HWND dialog = OpenFileName();
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, FileName::Edit_NewFolder);
    EXPECT_EQ(WindowText(edit), "DH");
    EXPECT_FALSE(IsButtonChecked(GetDlgItem(dialog, FileName::RadioGroup1Item(0))));
    EXPECT_TRUE(IsButtonChecked(GetDlgItem(dialog, FileName::RadioGroup1Item(1))));

    SetText(edit, "");
    PostClick(GetDlgItem(dialog, FileName::Button1));
    EXPECT_EQ(TakeMessageBox(L"INPUT ERROR"), "Input a file prefix.");
    EXPECT_TRUE(IsWindowVisible(dialog));
    ASSERT_NO_FATAL_FAILURE(Close(dialog, FileName::Button2));

    ASSERT_NO_FATAL_FAILURE(Stop());
    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"DH");
    EXPECT_EQ(ReadDwordSetting(L"FileSuffix"), 1u);
}

TEST_F(DialogFileNameTest, PrefixWithAQuestionMarkIsIllegal) {
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    HWND dialog = OpenFileName();
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, FileName::Edit_NewFolder);
    SetText(edit, "a?b");
    PostClick(GetDlgItem(dialog, FileName::Button1));
    EXPECT_EQ(TakeMessageBox(L"FILE ERROR"), "That file name is illegal.");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(WindowText(edit), "a?b");
    ASSERT_NO_FATAL_FAILURE(Close(dialog, FileName::Button2));
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

TEST_F(DialogFileNameTest, TwoWordsWithTimeStampsNameTheShotsAndLeaveTheTempFolderAsItWas) {
    // Someone else's file of the probe's first name: it must survive the check.
    std::ofstream(temp / "Two words_0000.tmp") << "not the probe's";
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    HWND dialog = OpenFileName();
    ASSERT_NE(dialog, nullptr);
    SetText(GetDlgItem(dialog, FileName::Edit_NewFolder), "Two words");
    SendMessageW(GetDlgItem(dialog, FileName::RadioGroup1Item(0)), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsButtonChecked(GetDlgItem(dialog, FileName::RadioGroup1Item(1))));
    ASSERT_NO_FATAL_FAILURE(Close(dialog, FileName::Button1));
    EXPECT_EQ(FilesIn(temp), std::vector<std::string>{"Two words_0000.tmp"});
    EXPECT_EQ(ReadFile(temp / "Two words_0000.tmp"), "not the probe's");

    ASSERT_TRUE(window.BringToFront());
    PressKey(VK_ESCAPE);
    const std::regex timestamped(R"(Two words\(\d{6}-\d{6}-\d{2}\)\.bmp)");
    EXPECT_TRUE(WaitFor([&] {
        for (const std::string& name : FilesIn(folder))
            if (std::regex_match(name, timestamped)) return true;
        return false;
    })) << ::testing::PrintToString(FilesIn(folder));

    ASSERT_NO_FATAL_FAILURE(Stop());
    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"Two words");
    EXPECT_EQ(ReadDwordSetting(L"FileSuffix"), 0u);
}

TEST_F(DialogShutterKeyTest, PauseTakesOverFromEscAtOnce) {
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    HWND dialog = OpenShutterKey();
    ASSERT_NE(dialog, nullptr);
    HWND keys = GetDlgItem(dialog, ShutterKey::ComboBox_Keys);
    EXPECT_EQ(WindowText(keys), "Esc");
    EXPECT_EQ(SendMessageW(keys, CB_GETITEMHEIGHT, 0, 0), 12);
    EXPECT_EQ(FocusIn(dialog), GetDlgItem(dialog, ShutterKey::OKBtn));
    ChooseRow(keys, 17);
    EXPECT_EQ(WindowText(keys), "Pause");
    ASSERT_NO_FATAL_FAILURE(Close(dialog, ShutterKey::OKBtn));

    Shoot(VK_PAUSE, folder / "DH0001.bmp");
    ASSERT_TRUE(window.BringToFront());
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    EXPECT_FALSE(std::filesystem::exists(folder / "DH0002.bmp"));

    ASSERT_NO_FATAL_FAILURE(Stop());
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), 19u);
}

TEST_F(DialogShutterKeyTest, PauseHeldByAnotherProgramIsReportedThenWorksOnceLetGo) {
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots());
    ASSERT_TRUE(RegisterHotKey(window.Handle(), 1, 0, VK_PAUSE));
    HWND dialog = OpenShutterKey();
    ASSERT_NE(dialog, nullptr);
    ChooseRow(GetDlgItem(dialog, ShutterKey::ComboBox_Keys), 17);
    ASSERT_NO_FATAL_FAILURE(Close(dialog, ShutterKey::OKBtn));
    EXPECT_EQ(TakeMessageBox(L"Error"), "Filed to regist hot key");

    UnregisterHotKey(window.Handle(), 1);
    ASSERT_TRUE(WaitForKeyHeldElsewhere(window.Handle(), VK_PAUSE));
    Shoot(VK_PAUSE, folder / "DH0001.bmp");
    EXPECT_EQ(CountTopWindows(L"#32770", L"Error", dhsu->Id()), 0);
}

TEST_F(DialogShutterKeyTest, KeyOutsideTheListOpensOnEscStornoKeepsItAndOkMakesItEsc) {
    ClearSettings();
    WriteDwordSetting(L"Shutter", 65);
    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots(/*keepSettings=*/true));
    HWND dialog = OpenShutterKey();
    ASSERT_NE(dialog, nullptr);
    HWND keys = GetDlgItem(dialog, ShutterKey::ComboBox_Keys);
    EXPECT_EQ(SelectedRow(keys), 0);
    EXPECT_EQ(WindowText(keys), "Esc");
    // The Japanese key names arrive whole, whatever the system's code page.
    ChooseRow(keys, 18);
    EXPECT_EQ(WindowText(keys), "半角/全角");
    ChooseRow(keys, 28);
    EXPECT_EQ(WindowText(keys), "カタカナ");
    ASSERT_NO_FATAL_FAILURE(Close(dialog, ShutterKey::CancelBtn));

    dialog = OpenShutterKey();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, ShutterKey::ComboBox_Keys)), "Esc");
    ASSERT_NO_FATAL_FAILURE(Close(dialog, ShutterKey::CancelBtn));
    ASSERT_NO_FATAL_FAILURE(Stop());
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), 65u);

    ASSERT_NO_FATAL_FAILURE(StartWithBmpShots(/*keepSettings=*/true));
    dialog = OpenShutterKey();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NO_FATAL_FAILURE(Close(dialog, ShutterKey::OKBtn));
    Shoot(VK_ESCAPE, folder / "DH0001.bmp");
    ASSERT_NO_FATAL_FAILURE(Stop());
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), 27u);
}

}  // namespace
}  // namespace e2e
