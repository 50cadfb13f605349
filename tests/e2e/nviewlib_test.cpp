// NviewLib.dll in the running program: a file of the user's at the JPEG's name, or at a name the
// library might take for its temporary file, is never replaced, opened or moved; loading the
// library for each of many files leaves nothing behind.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "dhsu_test.h"
#include "paused_library.h"
#include "process_usage.h"
#include "test_window.h"
#include "ui/main_window_controls_win.h"
#include "win/handles_win.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
const Bytes kUsersBytes = {'u', 's', 'e', 'r'};
constexpr char kPlainCaption[] = "DH Screenshot Utility";

std::string ShotName(int number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "DH%04d.%s", number, extension);
    return name;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

bool IsJpeg(const fs::path& path) {
    const Bytes bytes = ReadFileBytes(path);
    return bytes.size() > 4 && std::uint8_t(bytes[0]) == 0xFF && std::uint8_t(bytes[1]) == 0xD8;
}

class NviewLibTest : public DhsuTest {
  protected:
    NviewLibTest() { mayExitByItself = true; }
    // dhsu.exe alone in a fresh folder, `library` beside it.
    void StartWith(const fs::path& library) {
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_TRUE(dhsu->IsChecked(dhsu::CheckBox_JPEG));
        ASSERT_TRUE(CopyFileW(library.c_str(), (folder / "NviewLib.dll").c_str(), TRUE));
    }
    void Shoot() {
        ASSERT_TRUE(window.BringToFront());
        PressKey(VK_ESCAPE);
    }
    bool Exists(const std::string& name) const { return fs::exists(folder / name); }
    // The queue is empty: every file taken has been converted or given up, the library freed.
    bool QueueDrained() {
        return WaitFor([&] { return dhsu->Caption() == kPlainCaption; });
    }

    TestWindow window{700, 500, 160, 120};
};

TEST_F(NviewLibTest, AJpegThatAnotherProgramMakesDuringTheConversionStaysAndSoDoesTheBmp) {
    const dhsu::win::KernelHandle loaded(CreateEventW(nullptr, TRUE, FALSE, kLibraryLoadedEvent));
    const dhsu::win::KernelHandle resume(CreateEventW(nullptr, TRUE, FALSE, kLibraryResumeEvent));
    ASSERT_TRUE(loaded && resume);
    StartWith(TestDirectory() / "paused-nviewlib" / "NviewLib.dll");
    Shoot();
    ASSERT_TRUE(WaitFor([&] { return WaitForSingleObject(loaded.Get(), 0) == WAIT_OBJECT_0; }))
        << "the library never loaded the shot";
    // The worker found no JPEG before it loaded the library; one comes now.
    WriteFile(folder / "DH0001.jpg", kUsersBytes);
    SetEvent(resume.Get());

    HWND box = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (box = FindMessageBox(L"JPEG Encoding Error", dhsu->Id())); }));
    EXPECT_EQ(MessageBoxText(box),
              "A file of the JPEG's name is already there and stays as it "
              "is.\nThe shot is kept as " +
                  (folder / "DH0001.bmp").string());
    DismissMessageBox(box);
    ASSERT_TRUE(QueueDrained());
    EXPECT_EQ(ReadFileBytes(folder / "DH0001.jpg"), kUsersBytes);
    EXPECT_EQ(FilesIn(folder),
              (std::vector<std::string>{"DH0001.bmp", "DH0001.jpg", "NviewLib.dll", "dhsu.exe"}));
}

TEST_F(NviewLibTest, AUsersFileAtTheOldTemporaryNameIsLeftAlone) {
    StartWith(TestDirectory() / "NviewLib.dll");
    WriteFile(folder / "DH0001.jpg.part", kUsersBytes);
    Shoot();
    ASSERT_TRUE(WaitFor([&] { return Exists("DH0001.jpg") && !Exists("DH0001.bmp"); }))
        << ::testing::PrintToString(FilesIn(folder));
    ASSERT_TRUE(QueueDrained());
    EXPECT_TRUE(IsJpeg(folder / "DH0001.jpg"));
    EXPECT_EQ(ReadFileBytes(folder / "DH0001.jpg.part"), kUsersBytes);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"DH0001.jpg", "DH0001.jpg.part",
                                                         "NviewLib.dll", "dhsu.exe"}));
}

// The program loads and frees the library for every file: nothing of it may stay behind, here
// measured in this process, where a leak shows to the byte.
TEST(NviewLibLoading, AHundredLoadsAndFreesLeaveNoHandleAndNoMemoryBehind) {
    constexpr int kCycles = 100;
    const std::wstring library = (TestDirectory() / "NviewLib.dll").wstring();
    auto loadAndFree = [&] {
        const dhsu::win::Library module(LoadLibraryW(library.c_str()));
        return module && GetProcAddress(module.Get(), "NViewLibLoad") != nullptr;
    };
    ASSERT_TRUE(loadAndFree());  // what the system keeps once, for any library
    const DWORD handlesBefore = HandleCount(GetCurrentProcessId());
    const std::size_t heapBefore = HeapBytesInUse();
    for (int cycle = 0; cycle < kCycles; ++cycle) ASSERT_TRUE(loadAndFree());
    EXPECT_EQ(HandleCount(GetCurrentProcessId()), handlesBefore);
    // A leak of even a small block per load would be several kilobytes.
    EXPECT_LT(HeapBytesInUse(), heapBefore + 2048);
}

// The same in the running program, which loads the library on its worker thread, file by file.
TEST_F(NviewLibTest, TwoHundredConversionsLeaveTheHandleCountWhereItWas) {
    constexpr int kShots = 200;
    StartWith(TestDirectory() / "NviewLib.dll");
    const DWORD handlesBefore = HandleCount(dhsu->Id());
    const std::size_t workingSetBefore = WorkingSetBytes(dhsu->Id());
    ASSERT_GT(handlesBefore, 0u);
    for (int shot = 1; shot <= kShots; ++shot) {
        // With two shots back converted, at most two files wait: this press is not ignored.
        if (shot > 2) {
            ASSERT_TRUE(WaitFor([&] { return Exists(ShotName(shot - 2, "jpg")); }))
                << ShotName(shot - 2, "jpg") << " never came";
        }
        Shoot();
        ASSERT_TRUE(WaitFor([&] {
            return Exists(ShotName(shot, "bmp")) || Exists(ShotName(shot, "jpg"));
        })) << "shot "
            << shot << " was not taken";
    }
    ASSERT_TRUE(QueueDrained());
    const DWORD handlesAfter = HandleCount(dhsu->Id());
    RecordProperty("HandlesBefore", std::to_string(handlesBefore));
    RecordProperty("HandlesAfter", std::to_string(handlesAfter));
    RecordProperty("WorkingSetKbBefore", std::to_string(workingSetBefore / 1024));
    RecordProperty("WorkingSetKbAfter", std::to_string(WorkingSetBytes(dhsu->Id()) / 1024));
    EXPECT_NEAR(double(handlesAfter), double(handlesBefore), 10.0);
    EXPECT_EQ(FilesIn(folder).size(), kShots + 2u) << "every shot a JPEG, beside the program";
}

}  // namespace
}  // namespace e2e
