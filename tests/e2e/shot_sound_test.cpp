// The sound a shot asks for, seen through dhsu_logged_sound.exe: a flat picture, the sign of a
// capture that saw nothing, warns; any other picture beeps. Both are saved. Through
// dhsu_black_window_dc.exe, whose window device context reads black as a GPU-drawn window's does
// on Windows, the client area is taken from the screen instead, and first from then on.

#include <gtest/gtest.h>

#include <fstream>

#include "dhsu_test.h"
#include "test_window.h"
#include "twin_log.h"
#include "ui/main_window_controls_win.h"

namespace e2e {
namespace {

HBITMAP FlatBitmap(int width, int height) {
    const std::vector<std::uint32_t> bits(std::size_t(width) * height, 0x00405060);
    return BitmapOf(width, height, bits.data());
}

class ShotSoundTest : public DhsuTest {
  protected:
    void SetUp() override {
        DhsuTest::SetUp();
        // The program inherits the variable that names its log.
        SetEnvironmentVariableW(L"DHSU_SOUND_LOG", (folder / "sounds.log").c_str());
        ASSERT_NO_FATAL_FAILURE(Start(false, false, TestDirectory() / Program()));
        dhsu->Click(dhsu::CheckBox_JPEG);
        ASSERT_FALSE(dhsu->IsChecked(dhsu::CheckBox_JPEG));
    }
    virtual const char* Program() const { return "dhsu_logged_sound.exe"; }
    void TearDown() override {
        DhsuTest::TearDown();
        SetEnvironmentVariableW(L"DHSU_SOUND_LOG", nullptr);
    }

    // The sound is asked for before the file is written, so a shot's file means its line is in.
    void ExpectShot(const char* name) {
        EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(folder / name); }))
            << "no " << name << "; files: " << ::testing::PrintToString(FilesIn(folder));
    }
    // A flat window, then a patterned one, each shot with the shutter key.
    void ShootFlatThenPatterned() {
        {
            TestWindow flat(700, 500, 200, 150, TestWindow::Paint::kFlat);
            ASSERT_TRUE(flat.BringToFront());
            PressKey(VK_ESCAPE);
            ExpectShot("DH0001.bmp");
        }
        TestWindow patterned(700, 500, 200, 150);
        ASSERT_TRUE(patterned.BringToFront());
        PressKey(VK_ESCAPE);
        ExpectShot("DH0002.bmp");
    }
    std::vector<std::string> Log() const {
        std::ifstream log(folder / "sounds.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(log, line);) lines.push_back(line);
        return lines;
    }
    std::vector<std::string> Sounds() const {  // the reads' lines name a size after a space
        std::vector<std::string> sounds = Log();
        std::erase_if(sounds, [](const std::string& line) { return line.find(' ') != line.npos; });
        return sounds;
    }
};

class BlackWindowDcTest : public ShotSoundTest {
  protected:
    const char* Program() const override { return "dhsu_black_window_dc.exe"; }
};

TEST_F(ShotSoundTest, ShutterKeyWarnsOverAFlatWindowAndBeepsOverAPatternedOne) {
    ShootFlatThenPatterned();
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"warning", "beep"}));
}

TEST_F(BlackWindowDcTest, ABlackClientAreaIsTakenFromTheScreenAndAFlatWindowStillWarns) {
    ShootFlatThenPatterned();
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"warning", "beep"}));
    BmpImage image;
    ASSERT_TRUE(ReadBmp(folder / "DH0002.bmp", image));
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.height, 150);
    ExpectPattern(image, 0, 0, 200, 150);
}

// The window's own read is black while the screen shows it, so later presses read the screen
// and a row of the window alone, until the window draws itself again.
TEST_F(BlackWindowDcTest, AWindowThatReadsBlackIsReadFromTheScreenFirstUntilItDrawsItselfAgain) {
    TestWindow window(700, 500, 200, 150);
    ASSERT_TRUE(window.BringToFront());
    const auto shoot = [&](const char* name) {
        PressKey(VK_ESCAPE);
        ExpectShot(name);
        BmpImage image;
        ASSERT_TRUE(ReadBmp(folder / name, image)) << name;
        ExpectPattern(image, 0, 0, 200, 150);
    };
    shoot("DH0001.bmp");
    shoot("DH0002.bmp");
    SetPropW(window.Handle(), kGdiDrawnProperty, window.Handle());
    shoot("DH0003.bmp");
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "window 200x150", "screen 200x150", "beep",   // black, then the screen
                         "window 200x1", "screen 200x150", "beep",     // one whole read
                         "window 200x1", "window 200x150", "beep"}));  // the row is not black
}

TEST_F(ShotSoundTest, ClipboardWarnsForAFlatBitmapAndBeepsForAPatternedOne) {
    TestWindow owner(700, 500, 40, 30);
    ASSERT_TRUE(PutOnClipboard(owner.Handle(), CF_BITMAP, FlatBitmap(120, 90)));
    ExpectShot("DH0001.bmp");
    ASSERT_TRUE(PutOnClipboard(owner.Handle(), CF_BITMAP, PatternBitmap(120, 90)));
    ExpectShot("DH0002.bmp");
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"warning", "beep"}));
}

}  // namespace
}  // namespace e2e
