// Shots with JPEG on: converted in the background by NviewLib.dll at the committed quality, the
// BMP removed; a missing library or a failed conversion is told once per file; three waiting
// files hold further shots back; closing waits; lines another program adds to the queue are
// dropped, their files untouched.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "dhsu_test.h"
#include "paused_library.h"
#include "process_usage.h"
#include "registry_settings.h"
#include "shot/bmp.h"
#include "test_window.h"
#include "ui/main_window_controls_win.h"
#include "win/handles_win.h"

namespace e2e {
namespace {

constexpr wchar_t kLibraryError[] = L"JPEG Encoding Error";

// The luminance table of the JPEG standard, in natural order, and the zig-zag order a DQT
// segment stores it in.
constexpr int kStandardLuminance[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr int kZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

std::vector<int> ExpectedLuminanceTable(int quality) {
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::vector<int> table;
    for (int k = 0; k < 64; ++k)
        table.push_back(std::clamp((kStandardLuminance[kZigZag[k]] * scale + 50) / 100, 1, 255));
    return table;
}

struct JpegInfo {
    bool baseline = false;
    int width = 0, height = 0;
    std::vector<int> luminanceTable;
};

bool ReadJpeg(const std::filesystem::path& path, JpegInfo& info) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return false;
    if (file[file.size() - 2] != 0xFF || file.back() != 0xD9) return false;
    for (std::size_t at = 2; at + 4 <= file.size() && file[at] == 0xFF;) {
        const std::uint8_t marker = file[at + 1];
        const std::size_t length = file[at + 2] << 8 | file[at + 3];
        const std::uint8_t* body = &file[at + 4];
        if (marker == 0xDB && info.luminanceTable.empty() && (body[0] & 0xF0) == 0)
            info.luminanceTable.assign(body + 1, body + 65);
        if (marker == 0xC0) {
            info.baseline = true;
            info.height = body[1] << 8 | body[2];
            info.width = body[3] << 8 | body[4];
        }
        if (marker == 0xDA) return true;
        at += 2 + length;
    }
    return false;
}

// Someone else's picture: a real BMP that the library would convert.
void WriteForeignBmp(const std::filesystem::path& path) {
    struct FileSink : dhsu::ByteSink {
        std::ofstream out;
        void Write(const std::uint8_t* data, std::size_t size) override {
            out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
        }
    } sink;
    sink.out.open(path, std::ios::binary);
    const std::vector<std::uint8_t> pixels = PatternPixels(32, 24);
    dhsu::EncodeBmp({32, 24, 32, {}, pixels.data(), 32 * 4}, sink);
}

class JpegTest : public DhsuTest {
  protected:
    JpegTest() { mayExitByItself = true; }
    // In the test's own folder, unless given another.
    void StartWithJpeg(bool withLibrary, const std::filesystem::path& in = {}) {
        if (!in.empty()) folder = in;
        ASSERT_NO_FATAL_FAILURE(Start(withLibrary));
        ASSERT_TRUE(dhsu->IsChecked(dhsu::CheckBox_JPEG));
    }
    void TearDown() override {
        for (HWND box; (box = FindMessageBox(kLibraryError, dhsu ? dhsu->Id() : 0)) != nullptr;)
            DismissMessageBox(box);
        DhsuTest::TearDown();
    }
    void Shoot() {
        ASSERT_TRUE(window.BringToFront());
        PressKey(VK_ESCAPE);
    }
    HWND WaitForLibraryError() {
        HWND box = nullptr;
        EXPECT_TRUE(
            WaitFor([&] { return (box = FindMessageBox(kLibraryError, dhsu->Id())) != nullptr; }));
        return box;
    }
    // DH0001.bmp has become DH0001.jpg.
    bool FirstShotConverted() {
        return WaitFor([&] {
            return std::filesystem::exists(folder / "DH0001.jpg") &&
                   !std::filesystem::exists(folder / "DH0001.bmp");
        });
    }
    bool CaptionIs(const std::string& caption) {
        return WaitFor([&] { return dhsu->Caption() == caption; });
    }
    // One box for the shot, naming the BMP kept; once it is dismissed the queue is empty.
    void ExpectOneBoxForTheKeptShot(const std::string& reason) {
        HWND box = WaitForLibraryError();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box),
                  reason + "\nThe shot is kept as " + (folder / "DH0001.bmp").string());
        DismissMessageBox(box);
        EXPECT_TRUE(CaptionIs("DH Screenshot Utility"));
        EXPECT_EQ(FindMessageBox(kLibraryError, dhsu->Id()), nullptr);
        EXPECT_EQ(FilesIn(folder),
                  (std::vector<std::string>{"DH0001.bmp", "NviewLib.dll", "dhsu.exe"}));
    }
    std::size_t LinesIn(int listBox) const {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(dhsu->Control(listBox), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &count);
        return count;
    }

    TestWindow window{700, 500, 160, 120};
};

TEST_F(JpegTest, ShotBecomesAJpegOfItsQualityAndTheBmpGoes) {
    StartWithJpeg(true);
    HWND edit = dhsu->Control(dhsu::Edit_Q);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"60"));
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    Shoot();
    ASSERT_TRUE(FirstShotConverted()) << ::testing::PrintToString(FilesIn(folder));
    EXPECT_TRUE(CaptionIs("DH Screenshot Utility"));
    JpegInfo jpeg;
    ASSERT_TRUE(ReadJpeg(folder / "DH0001.jpg", jpeg));
    EXPECT_TRUE(jpeg.baseline);
    EXPECT_EQ(jpeg.width, 160);
    EXPECT_EQ(jpeg.height, 120);
    EXPECT_EQ(jpeg.luminanceTable, ExpectedLuminanceTable(60));
}

TEST_F(JpegTest, QualityTypedButNotCommittedIsNeitherShotNorSaved) {
    StartWithJpeg(true);
    SendMessageW(dhsu->Control(dhsu::Edit_Q), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
    // A clipboard shot: no change of the active window, which would commit the text.
    ASSERT_TRUE(PutOnClipboard(window.Handle(), CF_BITMAP, PatternBitmap(160, 120)));
    ASSERT_TRUE(FirstShotConverted()) << ::testing::PrintToString(FilesIn(folder));
    JpegInfo jpeg;
    ASSERT_TRUE(ReadJpeg(folder / "DH0001.jpg", jpeg));
    EXPECT_EQ(jpeg.luminanceTable, ExpectedLuminanceTable(75));
    EXPECT_EQ(dhsu->Close(), 0u);
    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 75u);
}

TEST_F(JpegTest, MissingLibraryIsToldPerFileKeepsTheBmpsAndAFullQueueHoldsShotsBack) {
    StartWithJpeg(false);
    Shoot();
    HWND box = WaitForLibraryError();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "NviewLib.dll is not found.");
    // The first file waits on the message; two more fill the queue to three.
    Shoot();
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(folder / "DH0002.bmp"); }));
    Shoot();
    ASSERT_TRUE(CaptionIs("Encoding...3 - DH Screenshot Utility"));
    Shoot();
    ASSERT_TRUE(dhsu->HandledEarlierMessages());
    EXPECT_FALSE(std::filesystem::exists(folder / "DH0004.bmp")) << "a fourth shot was taken";

    DismissMessageBox(box);
    ASSERT_TRUE(CaptionIs("Encoding...2 - DH Screenshot Utility"));
    Shoot();
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(folder / "DH0004.bmp"); }));
    for (int remaining = 3; remaining > 0; --remaining) {
        box = WaitForLibraryError();
        ASSERT_NE(box, nullptr) << remaining << " messages were missing";
        DismissMessageBox(box);
    }
    EXPECT_TRUE(CaptionIs("DH Screenshot Utility"));
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"DH0001.bmp", "DH0002.bmp", "DH0003.bmp",
                                                         "DH0004.bmp", "dhsu.exe"}));
}

std::wstring EnvironmentVariable(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

// A library of that name in the current directory or on PATH may be anybody's.
TEST_F(JpegTest, ALibraryInTheCurrentFolderOrOnPathIsNeverLoaded) {
    folder = FreshFolder("LibraryNotBesideTheProgram");
    const auto planted = FreshFolder("PlantedLibrary");
    ASSERT_TRUE(CopyFileW((ProgramDirectory() / "NviewLib.dll").c_str(),
                          (planted / "NviewLib.dll").c_str(), FALSE));
    const std::wstring path = EnvironmentVariable(L"PATH");
    SetEnvironmentVariableW(L"PATH", (planted.wstring() + L";" + path).c_str());
    dhsu =
        std::make_unique<DhsuProcess>(folder, false, false, true, std::filesystem::path(), planted);
    SetEnvironmentVariableW(L"PATH", path.c_str());
    ASSERT_NE(dhsu->Window(), nullptr);
    Shoot();
    HWND box = WaitForLibraryError();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "NviewLib.dll is not found.");
    DismissMessageBox(box);
    EXPECT_TRUE(CaptionIs("DH Screenshot Utility"));
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"DH0001.bmp", "dhsu.exe"}));
}

TEST_F(JpegTest, ClosingWaitsUntilTheQueueIsEmptyThenSavesTheSettings) {
    StartWithJpeg(false);
    Shoot();
    HWND box = WaitForLibraryError();
    Shoot();
    Shoot();
    ASSERT_TRUE(CaptionIs("Encoding...3 - DH Screenshot Utility"));
    PostMessageW(dhsu->Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(dhsu->HandledEarlierMessages());  // the close is under way
    EXPECT_FALSE(dhsu->HasExited());
    EXPECT_FALSE(ReadDwordSetting(L"JPEG Quality").has_value()) << "saved before the queue drained";
    for (int remaining = 3; remaining > 0; --remaining) {
        ASSERT_NE(box, nullptr);
        DismissMessageBox(box);
        box = remaining > 1 ? WaitForLibraryError() : nullptr;
    }
    EXPECT_TRUE(dhsu->HasExited(kPatience));
    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 75u);
}

TEST_F(JpegTest, ShotsTakenJustBeforeClosingAreAllConverted) {
    StartWithJpeg(true);
    for (int i = 1; i <= 3; ++i) {
        Shoot();
        char name[16];
        std::snprintf(name, sizeof name, "DH%04d", i);
        ASSERT_TRUE(WaitFor([&] {
            return std::filesystem::exists(folder / (std::string(name) + ".bmp")) ||
                   std::filesystem::exists(folder / (std::string(name) + ".jpg"));
        }));
    }
    EXPECT_EQ(dhsu->Close(), 0u);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"DH0001.jpg", "DH0002.jpg", "DH0003.jpg",
                                                         "NviewLib.dll", "dhsu.exe"}));
}

// Three lines added by another program fill the queue: the refused press has the worker drop
// them, and the next press is converted; the other program's picture stays as it was.
TEST_F(JpegTest, LinesAnotherProgramAddsToTheQueueAreDroppedAndTheirFileLeftAlone) {
    StartWithJpeg(true);
    const std::filesystem::path holiday = folder / "holiday.bmp";
    WriteForeignBmp(holiday);
    const Bytes holidayBytes = ReadFileBytes(holiday);
    for (int line = 0; line < 3; ++line) {
        for (auto [listBox, text] : {std::pair{dhsu::ListBox_BMPFiles, holiday.wstring()},
                                     std::pair{dhsu::ListBox_Q, std::wstring(L"5")}}) {
            ASSERT_TRUE(SendMessageTimeoutW(dhsu->Control(listBox), LB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(text.c_str()),
                                            SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr));
        }
    }
    ASSERT_EQ(LinesIn(dhsu::ListBox_BMPFiles), 3u);
    Shoot();
    EXPECT_TRUE(WaitFor(
        [&] { return LinesIn(dhsu::ListBox_BMPFiles) == 0 && LinesIn(dhsu::ListBox_Q) == 0; }));
    EXPECT_FALSE(std::filesystem::exists(folder / "DH0001.bmp")) << "a shot into a full queue";

    Shoot();
    ASSERT_TRUE(FirstShotConverted()) << ::testing::PrintToString(FilesIn(folder));
    EXPECT_TRUE(CaptionIs("DH Screenshot Utility"));
    EXPECT_EQ(ReadFileBytes(holiday), holidayBytes);
    EXPECT_EQ(FilesIn(folder),
              (std::vector<std::string>{"DH0001.jpg", "NviewLib.dll", "dhsu.exe", "holiday.bmp"}));
}

TEST_F(JpegTest, LibraryWithoutItsEntryPointsIsToldAndTheBmpKept) {
    StartWithJpeg(false);
    ASSERT_TRUE(CopyFileW((TestDirectory() / "empty-nviewlib" / "NviewLib.dll").c_str(),
                          (folder / "NviewLib.dll").c_str(), TRUE));
    Shoot();
    ExpectOneBoxForTheKeptShot("NviewLib.dll lacks its conversion entry points.");
}

// The disk fills while the library holds the loaded shot: the save has no room.
TEST_F(JpegTest, DiskFullDuringTheConversionIsToldAndTheBmpKept) {
    const char* smallDisk = std::getenv("DHSU_E2E_SMALL_DISK");
    if (smallDisk == nullptr) GTEST_SKIP() << "no small disk: DHSU_E2E_SMALL_DISK is not set";
    const std::filesystem::path root = std::filesystem::path(smallDisk).make_preferred();
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr) || total.QuadPart > 64u << 20)
        GTEST_SKIP() << "no small disk mounted at " << smallDisk;
    const dhsu::win::KernelHandle loaded(CreateEventW(nullptr, TRUE, FALSE, kLibraryLoadedEvent));
    const dhsu::win::KernelHandle resume(CreateEventW(nullptr, TRUE, FALSE, kLibraryResumeEvent));
    ASSERT_TRUE(loaded && resume);
    const std::filesystem::path filler = root / "filler";
    std::filesystem::remove_all(root / "DiskFull");  // and the filler, left by a run cut short
    std::filesystem::remove(filler);
    ASSERT_TRUE(std::filesystem::create_directory(root / "DiskFull"));
    StartWithJpeg(false, root / "DiskFull");
    ASSERT_TRUE(CopyFileW((TestDirectory() / "paused-nviewlib" / "NviewLib.dll").c_str(),
                          (folder / "NviewLib.dll").c_str(), TRUE));
    Shoot();
    ASSERT_TRUE(WaitFor([&] { return WaitForSingleObject(loaded.Get(), 0) == WAIT_OBJECT_0; }))
        << "the library never loaded the shot";
    {
        std::ofstream fill(filler, std::ios::binary);
        const std::vector<char> block(4096);
        while (fill.write(block.data(), std::streamsize(block.size())) && fill.flush()) {
        }
    }
    SetEvent(resume.Get());
    ExpectOneBoxForTheKeptShot("The JPEG file could not be written; the disk may be full.");
    std::filesystem::remove(filler);
}

TEST_F(JpegTest, WorkerThreadRunsBelowNormalPriorityAndTheWindowsAtNormal) {
    StartWithJpeg(true);
    const DWORD uiThread = GetWindowThreadProcessId(dhsu->Window(), nullptr);
    std::map<DWORD, int> priorities;
    // The worker sets its priority as its thread starts, maybe just after the window shows.
    EXPECT_TRUE(WaitFor([&] {
        priorities = ThreadPriorities(dhsu->Id());
        return std::count_if(priorities.begin(), priorities.end(), [](const auto& thread) {
                   return thread.second == THREAD_PRIORITY_BELOW_NORMAL;
               }) == 1;
    })) << ::testing::PrintToString(priorities);
    EXPECT_EQ(priorities[uiThread], THREAD_PRIORITY_NORMAL);
}

}  // namespace
}  // namespace e2e
