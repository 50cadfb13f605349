// The seven settings: defaults with no key, edge values as a user could leave them, and what
// the close writes back.

#include <gtest/gtest.h>

#include "dhsu_process.h"
#include "registry_settings.h"
#include "test_window.h"
#include "ui/main_window_controls_win.h"

namespace e2e {
namespace {

std::wstring WithoutTrailingSeparator(std::wstring path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

// A shutter-key press over a window of the test's own, and the file it should give.
bool ShotLandsAt(const std::filesystem::path& expected) {
    TestWindow window(700, 500, 64, 48);
    if (!window.BringToFront()) return false;
    PressKey(VK_ESCAPE);
    return WaitFor([&] { return std::filesystem::exists(expected); });
}

TEST(Settings, NoKeyGivesTheDefaultsAndTheCloseWritesAllSeven) {
    const auto folder = FreshFolder("SettingsDefaults");
    DhsuProcess dhsu(folder);
    ASSERT_NE(dhsu.Window(), nullptr);
    EXPECT_TRUE(dhsu.IsChecked(dhsu::CheckBox_JPEG));
    EXPECT_TRUE(dhsu.IsChecked(dhsu::CheckBox_ClientRect));
    EXPECT_EQ(dhsu.ControlText(dhsu::Edit_Q), "75");
    EXPECT_TRUE(IsWindowEnabled(dhsu.Control(dhsu::Edit_Q)));
    ASSERT_EQ(dhsu.Close(), 0u);

    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"DH");
    EXPECT_EQ(ReadDwordSetting(L"FileSuffix"), 1u);
    EXPECT_EQ(ReadStringSetting(L"ScreenShot Folder"), WithoutTrailingSeparator(folder.wstring()));
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), 27u);
    EXPECT_EQ(ReadDwordSetting(L"ClientRect"), 1u);
    EXPECT_EQ(ReadDwordSetting(L"JpegCompression"), 1u);
    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 75u);
}

TEST(Settings, OddStoredValuesFallBackOrAreNormalisedAtClose) {
    const auto folder = FreshFolder("SettingsEdgeCases");
    ClearSettings();
    WriteStringSetting(L"FilePrefix", L"Snap");  // without FileSuffix: the pair falls back
    WriteDwordSetting(L"ClientRect", 5);
    WriteDwordSetting(L"JpegCompression", 0);
    WriteStringSetting(L"Shutter", L"65");
    WriteDwordSetting(L"ScreenShot Folder", 7);
    WriteDwordSetting(L"JPEG Quality", 50);
    DhsuProcess dhsu(folder, false, /*keepSettings=*/true);
    ASSERT_NE(dhsu.Window(), nullptr);

    EXPECT_TRUE(dhsu.IsChecked(dhsu::CheckBox_ClientRect));
    EXPECT_FALSE(dhsu.IsChecked(dhsu::CheckBox_JPEG));
    for (int id : {dhsu::Label3, dhsu::Edit_Q, dhsu::UpDown1})
        EXPECT_FALSE(IsWindowEnabled(dhsu.Control(id))) << "control " << id;
    EXPECT_TRUE(WaitFor([&] { return dhsu.ControlText(dhsu::Edit_Q) == "50"; }));
    ASSERT_EQ(dhsu.Close(), 0u);

    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"DH");
    EXPECT_EQ(ReadDwordSetting(L"FileSuffix"), 1u);
    EXPECT_EQ(ReadDwordSetting(L"ClientRect"), 1u);
    EXPECT_EQ(ReadDwordSetting(L"JpegCompression"), 0u);
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), 27u);
    EXPECT_EQ(SettingType(L"ScreenShot Folder"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadStringSetting(L"ScreenShot Folder"), WithoutTrailingSeparator(folder.wstring()));
    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 50u);
}

TEST(Settings, StoredFolderAndNonAsciiPrefixAreUsedAndKept) {
    const auto folder = FreshFolder("SettingsStoredFolder");
    const auto shots = folder / L"Snímky 写真";
    std::filesystem::create_directory(shots);
    ClearSettings();
    WriteStringSetting(L"FilePrefix", L"Snímek-");
    WriteDwordSetting(L"FileSuffix", 1);
    WriteStringSetting(L"ScreenShot Folder", shots.wstring());
    WriteDwordSetting(L"JpegCompression", 0);
    DhsuProcess dhsu(folder, false, true);
    ASSERT_NE(dhsu.Window(), nullptr);
    EXPECT_TRUE(ShotLandsAt(shots / L"Snímek-0001.bmp"));
    ASSERT_EQ(dhsu.Close(), 0u);
    EXPECT_EQ(ReadStringSetting(L"ScreenShot Folder"), shots.wstring());
    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"Snímek-");
}

TEST(Settings, VanishedStoredFolderFallsBackToTheProgramsDirectoryAndStillTakesShots) {
    const auto folder = FreshFolder("SettingsVanishedFolder");
    ClearSettings();
    WriteStringSetting(L"ScreenShot Folder", (folder / "gone").wstring());
    WriteDwordSetting(L"JpegCompression", 0);
    DhsuProcess dhsu(folder, false, true);
    ASSERT_NE(dhsu.Window(), nullptr);
    EXPECT_TRUE(ShotLandsAt(folder / "DH0001.bmp"));
    ASSERT_EQ(dhsu.Close(), 0u);
    EXPECT_EQ(ReadStringSetting(L"ScreenShot Folder"), WithoutTrailingSeparator(folder.wstring()));
}

// Windows ends a process that is still open at shut-down or log-off without a close.
TEST(Settings, EndOfSessionSavesAsTheCloseDoesWithoutWaitingForTheQueue) {
    const auto folder = FreshFolder("SettingsSessionEnd");
    DhsuProcess dhsu(folder);  // no library: the shot stays queued behind the error box
    ASSERT_NE(dhsu.Window(), nullptr);
    ASSERT_TRUE(ShotLandsAt(folder / "DH0001.bmp"));
    ASSERT_TRUE(
        WaitFor([&] { return FindMessageBox(L"JPEG Encoding Error", dhsu.Id()) != nullptr; }));
    HWND edit = dhsu.Control(dhsu::Edit_Q);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"40"));
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    dhsu.Click(dhsu::CheckBox_ClientRect);
    ASSERT_EQ(GetClipboardViewer(), dhsu.Window());

    DWORD_PTR mayEnd = FALSE;
    ASSERT_TRUE(SendMessageTimeoutW(dhsu.Window(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG,
                                    kSendTimeoutMs, &mayEnd));
    EXPECT_EQ(mayEnd, static_cast<DWORD_PTR>(TRUE));
    ASSERT_TRUE(SendMessageTimeoutW(dhsu.Window(), WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG,
                                    kSendTimeoutMs, nullptr))
        << "the end of the session waited for the queue";
    EXPECT_NE(GetClipboardViewer(), dhsu.Window());
    TestWindow probe(700, 500, 32, 32);
    EXPECT_TRUE(RegisterHotKey(probe.Handle(), 1, 0, VK_ESCAPE)) << "the shutter key is held";
    UnregisterHotKey(probe.Handle(), 1);
    dhsu.Kill();

    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 40u);
    EXPECT_EQ(ReadDwordSetting(L"ClientRect"), 0u);
    EXPECT_EQ(ReadDwordSetting(L"JpegCompression"), 1u);
    EXPECT_EQ(ReadDwordSetting(L"Shutter"), 27u);
    EXPECT_EQ(ReadStringSetting(L"FilePrefix"), L"DH");
    EXPECT_EQ(ReadDwordSetting(L"FileSuffix"), 1u);
    EXPECT_EQ(ReadStringSetting(L"ScreenShot Folder"), WithoutTrailingSeparator(folder.wstring()));
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"DH0001.bmp", "dhsu.exe"}));
}

}  // namespace
}  // namespace e2e
