// The main window as a user first meets it, its quality commit, options and single instance.

#include <gtest/gtest.h>

#include "dhsu_test.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "registry_settings.h"
#include "test_window.h"
#include "ui/main_window_controls_win.h"
#include "window_search.h"

namespace e2e {
namespace {

constexpr char kRefusal[] = "Two DHSUs can't run at the same time.";

class MainWindowTest : public DhsuTest {
  protected:
    void SetUp() override {
        DhsuTest::SetUp();
        std::filesystem::create_directory(folder / "elsewhere");
        Start();
    }
    // UDM_GETACCEL answers into memory of dhsu's own.
    std::vector<UDACCEL> SpinnerAccelerations() const {
        constexpr int kRoom = 8;
        const HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, dhsu->Id());
        void* remote = VirtualAllocEx(process, nullptr, kRoom * sizeof(UDACCEL),
                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        DWORD_PTR count = 0;
        SendMessageTimeoutW(dhsu->Control(dhsu::UpDown1), UDM_GETACCEL, kRoom,
                            reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                            &count);
        std::vector<UDACCEL> steps(std::min<DWORD_PTR>(count, kRoom));
        ReadProcessMemory(process, remote, steps.data(), steps.size() * sizeof(UDACCEL), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return steps;
    }
    // Timer1 puts the stored quality back once, 700 ms after the window is made, undoing what
    // was committed before: waited out from the process's start, with room for a loaded host,
    // and past the messages the program had then.
    void WaitOutTimer1() const {
        FILETIME created{}, unused{}, now{};
        const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, dhsu->Id());
        GetProcessTimes(process, &created, &unused, &unused, &unused);
        CloseHandle(process);
        GetSystemTimeAsFileTime(&now);
        const auto ticks = [](FILETIME t) {  // of 100 ns
            return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
        };
        const auto age = std::chrono::microseconds((ticks(now) - ticks(created)) / 10);
        std::this_thread::sleep_for(std::max<std::chrono::microseconds>(1500ms - age, 0us));
        ASSERT_TRUE(dhsu->HandledEarlierMessages());
    }
    int QualityPosition() const {
        DWORD_PTR position = 0;
        SendMessageTimeoutW(dhsu->Control(dhsu::UpDown1), UDM_GETPOS32, 0, 0, SMTO_ABORTIFHUNG,
                            kSendTimeoutMs, &position);
        return static_cast<int>(position);
    }
};

TEST_F(MainWindowTest, FirstStartShowsEveryText) {
    EXPECT_EQ(dhsu->Caption(), "DH Screenshot Utility");
    const std::pair<int, const char*> texts[] = {
        {dhsu::GroupBox_Folder, "Adresář s obrázky"},
        {dhsu::Label_Count, "Obr.  : 0"},
        {dhsu::GroupBox_Option, "Nastavení"},
        {dhsu::CheckBox_JPEG, "Jpeg komprese"},
        {dhsu::CheckBox_ClientRect, "Odst. záhlaví okna"},
        {dhsu::Label3, "Jpeg (kvalita: 5% nízká 100% vysoká)"},
        {dhsu::Edit_Q, "75"},
        {dhsu::Button_FileName, "Jméno souboru..."},
        {dhsu::Button_Option, "Přiřadit klávesu..."},
    };
    for (auto [id, text] : texts) EXPECT_EQ(dhsu->ControlText(id), text) << "control " << id;
    EXPECT_EQ(
        dhsu->ControlText(dhsu::Memo1)
            .rfind("Zmáčkněte vybranou klávesu pro uložení aktivního okna do JPG souboru. \r\n"
                   "Zmáčkněte klávesu Print Screen pro uložení celé obrazovky.\r\n\r\n",
                   0),
        0u);
    EXPECT_EQ(dhsu->ControlText(dhsu::Notice),
              "Pokud hrajete Duskhold v módu přes celou obrazovku, \r\n"
              "obrázky můžete uložit pouze klávesou PrintScreen.");
    RECT client{};
    GetClientRect(dhsu->Window(), &client);
    EXPECT_EQ(client.right, 449);
    EXPECT_EQ(client.bottom, 316);
    const LONG style = GetWindowLongW(dhsu->Window(), GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
}

TEST_F(MainWindowTest, QualityTextsCommitParsedAndClamped) {
    WaitOutTimer1();
    const std::pair<const char*, int> cases[] = {{"abc", 75}, {"0", 75}, {"150", 100},
                                                 {"3", 5},    {"-7", 5}, {"42xy", 42}};
    HWND edit = dhsu->Control(dhsu::Edit_Q);
    for (auto [typed, committed] : cases) {
        SendMessageW(edit, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(std::wstring(typed, typed + strlen(typed)).c_str()));
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(dhsu->ControlText(dhsu::Edit_Q), std::to_string(committed)) << typed;
        EXPECT_EQ(QualityPosition(), committed) << typed;
    }
    // Switching to another program commits as well.
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"33"));
    SendMessageW(dhsu->Window(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(QualityPosition(), 33);
}

TEST_F(MainWindowTest, SpinnerStepsByOneAndEachStepCountsAndListsHaveTheirItemHeights) {
    const std::vector<UDACCEL> steps = SpinnerAccelerations();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].nSec, 0u);
    EXPECT_EQ(steps[0].nInc, 1u);
    const std::pair<int, int> heights[] = {{dhsu::FileListBox1, 15},
                                           {dhsu::DirectoryListBox1, 16},
                                           {dhsu::ListBox_BMPFiles, 15},
                                           {dhsu::ListBox_Q, 15}};
    for (auto [id, height] : heights)
        EXPECT_EQ(SendMessageW(dhsu->Control(id), LB_GETITEMHEIGHT, 0, 0), height) << id;

    // A step of the spinner (here the Up key in the edit) is committed as it is taken.
    WaitOutTimer1();
    SendMessageW(dhsu->Control(dhsu::Edit_Q), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(dhsu->ControlText(dhsu::Edit_Q), "76");
    ASSERT_EQ(dhsu->Close(), 0u);
    dhsu.reset();
    EXPECT_EQ(ReadDwordSetting(L"JPEG Quality"), 76u);
}

TEST_F(MainWindowTest, UncheckingJpegDisablesTheQualityControls) {
    const int quality[] = {dhsu::Label3, dhsu::Edit_Q, dhsu::UpDown1};
    dhsu->Click(dhsu::CheckBox_JPEG);
    for (int id : quality) EXPECT_FALSE(IsWindowEnabled(dhsu->Control(id))) << id;
    dhsu->Click(dhsu::CheckBox_JPEG);
    for (int id : quality) EXPECT_TRUE(IsWindowEnabled(dhsu->Control(id))) << id;
}

TEST_F(MainWindowTest, OpeningAnotherDirectoryMovesTheNextShotThere) {
    dhsu->Click(dhsu::CheckBox_JPEG);
    HWND directories = dhsu->Control(dhsu::DirectoryListBox1);
    const auto rows = SendMessageW(directories, LB_GETCOUNT, 0, 0);
    SendMessageW(directories, LB_SETCURSEL, rows - 1, 0);  // "elsewhere", the only sub-folder
    SendMessageW(dhsu->Window(), WM_COMMAND, MAKEWPARAM(dhsu::DirectoryListBox1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(directories));
    TestWindow window(700, 500, 80, 60);
    ASSERT_TRUE(window.BringToFront());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(
        WaitFor([&] { return std::filesystem::exists(folder / "elsewhere" / "DH0001.bmp"); }));
    // Coming back to the program shows the new file in the list.
    SendMessageW(dhsu->Window(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(WaitFor(
        [&] { return SendMessageW(dhsu->Control(dhsu::FileListBox1), LB_GETCOUNT, 0, 0) == 1; }));
}

TEST_F(MainWindowTest, SecondStartIsRefusedWithAMessageAndTheFirstGoesOn) {
    PROCESS_INFORMATION second{};
    ASSERT_TRUE(StartProcess(folder / "dhsu.exe", folder, second));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        box = FindMessageBox(L"DH Screenshot Utlilty", second.dwProcessId);
        return box != nullptr && !MessageBoxText(box).empty();
    }));
    EXPECT_EQ(MessageBoxText(box), kRefusal);
    DismissMessageBox(box);
    ASSERT_EQ(WaitForSingleObject(second.hProcess, kSendTimeoutMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 1u);
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    EXPECT_TRUE(IsWindow(dhsu->Window()));
    EXPECT_FALSE(dhsu->HasExited());

    ASSERT_EQ(dhsu->Close(), 0u);
    dhsu = std::make_unique<DhsuProcess>(folder);  // once the first has gone, a start succeeds
    EXPECT_NE(dhsu->Window(), nullptr);
}

// A start that fails before the conversion worker exists must not leave a half-built window
// that crashes when closed: the error is shown, and the program ends without saving.
TEST(FailedStart, ShowsTheErrorAndExitsWithoutAWindowOrSaving) {
    DhsuProcess dhsu(FreshFolder("FailedStart"), false, false, false,
                     TestDirectory() / "dhsu_failing_start.exe");
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (box = FindMessageBox(L"DH Screenshot Utility", dhsu.Id())) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box), "The start failed on purpose.");
    // The window being made, not yet shown, still takes a neighbour's close while the box is up.
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"TForm1", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == dhsu.Id()) PostMessageW(window, WM_CLOSE, 0, 0);
    }
    DismissMessageBox(box);
    EXPECT_EQ(dhsu.ExitCode(), 1u);  // a window left standing would keep it running
    EXPECT_FALSE(ReadDwordSetting(L"Shutter").has_value());
}

// A copy of dhsu.exe, ended with the test if it still runs.
struct StartedCopy {
    StartedCopy() = default;
    StartedCopy(const StartedCopy&) = delete;
    ~StartedCopy() {
        if (info.hProcess == nullptr) return;
        TerminateProcess(info.hProcess, 99);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    bool Running() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    PROCESS_INFORMATION info{};
};

// Under Wine the copies never start close enough together to meet between the check and the
// creation of the instance mutex, so more rounds buy only minutes: this guards the outcome.
TEST(SingleInstance, CopiesStartedTogetherLeaveExactlyOneRunning) {
    constexpr int kRounds = 2;
    constexpr std::size_t kCopies = 6;
    const auto folder = FreshFolder("SingleInstanceRace");
    const auto exe = folder / "dhsu.exe";
    ASSERT_TRUE(CopyFileW((ProgramDirectory() / "dhsu.exe").c_str(), exe.c_str(), FALSE));
    ClearSettings();
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::array<StartedCopy, kCopies> copies;
        for (auto& copy : copies) ASSERT_TRUE(StartProcess(exe, folder, copy.info));
        const auto running = [&] {
            return std::count_if(copies.begin(), copies.end(), [](auto& c) { return c.Running(); });
        };
        std::vector<std::string> refusals;
        ASSERT_TRUE(WaitFor([&] {
            for (const auto& copy : copies) {
                // A box can be found before its text is in it.
                const HWND box = FindMessageBox(L"DH Screenshot Utlilty", copy.info.dwProcessId);
                const std::string text = box ? MessageBoxText(box) : "";
                if (text.empty()) continue;
                refusals.push_back(text);
                DismissMessageBox(box);
            }
            return running() == 1;
        }));
        HWND window = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (window = FindTopWindow(L"TForm1", nullptr, 0)) != nullptr; }));
        EXPECT_EQ(CountTopWindows(L"TForm1", nullptr, 0), 1);
        EXPECT_EQ(refusals, std::vector<std::string>(kCopies - 1, kRefusal));
        for (const auto& copy : copies) {
            DWORD code = STILL_ACTIVE;
            GetExitCodeProcess(copy.info.hProcess, &code);
            if (code != STILL_ACTIVE) {
                EXPECT_EQ(code, 1u);
            }
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return running() == 0; }));
    }
}

}  // namespace
}  // namespace e2e
