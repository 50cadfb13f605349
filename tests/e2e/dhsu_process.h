#pragma once
// The program under test: a copy of dhsu.exe started in a fresh folder, found by its window.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// How long a test waits for anything the program does: generous, since Wine on a busy host can
// be slow, and a passing test never waits this long.
constexpr std::chrono::milliseconds kPatience = 60s;
// The same for one message sent to another process.
constexpr UINT kSendTimeoutMs = 30000;

// Polls every `poll` until `done` holds or the time is up; returns whether it held.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = kPatience,
             std::chrono::milliseconds poll = 20ms);

std::filesystem::path TestDirectory();  // where e2e_tests.exe and dhsu.exe were built
// Where the program under test comes from: DHSU_E2E_PROGRAM_DIR (an unpacked package) when
// set, else the test's own folder.
std::filesystem::path ProgramDirectory();
std::filesystem::path FreshFolder(const std::string& name);
std::string WindowText(HWND window);
std::vector<std::string> FilesIn(const std::filesystem::path& folder);
using Bytes = std::vector<char>;
Bytes ReadFileBytes(const std::filesystem::path& path);
void PressKey(WORD virtualKey);
// Starts `exe` in `folder`, with `arguments` after its name. Wine on a busy host now and then
// fails to create a process at all; each such failure is printed with its error and the start
// tried again, within the patience.
bool StartProcess(const std::filesystem::path& exe, const std::filesystem::path& folder,
                  PROCESS_INFORMATION& info, const std::wstring& arguments = {});
// Waits until another program holds `key` as a hotkey, found by taking it for a moment on
// `probe`, and prints how long that took.
bool WaitForKeyHeldElsewhere(HWND probe, UINT key);

// A message box of another process, found by caption; its text and a way to press OK.
HWND FindMessageBox(const std::wstring& caption, DWORD processId = 0);
std::string MessageBoxText(HWND box);
void DismissMessageBox(HWND box);

class DhsuProcess {
  public:
    // Copies dhsu.exe (and, if asked, NviewLib.dll) into `folder` and starts it there. Unless
    // told to keep them, the stored settings are cleared first, so shots go to `folder`. A
    // `program` given is copied there as dhsu.exe instead; a `currentFolder` given is the
    // program's current directory instead of `folder`.
    explicit DhsuProcess(const std::filesystem::path& folder, bool withLibrary = false,
                         bool keepSettings = false, bool waitForWindow = true,
                         const std::filesystem::path& program = {},
                         const std::filesystem::path& currentFolder = {});
    // The main window, once it shows (start-up may first show a message).
    HWND WaitForWindow();
    ~DhsuProcess();

    HWND Window() const { return window_; }
    DWORD Id() const { return info_.dwProcessId; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::string ControlText(int id) const { return WindowText(Control(id)); }
    std::string Caption() const { return WindowText(window_); }
    void Click(int id) const;
    bool IsChecked(int id) const;
    // Closes the window and waits for the process; returns its exit code.
    DWORD Close(std::chrono::milliseconds timeout = kPatience);
    // Waits for the process to end by itself; its exit code, or STILL_ACTIVE.
    DWORD ExitCode(std::chrono::milliseconds timeout = kPatience) const;
    bool HasExited(std::chrono::milliseconds wait = 0ms) const;
    // Ends the process at once, as Windows does at the end of a session.
    void Kill();
    // Returns once the program has handled every message posted to it before the call, key
    // presses included, so that a press that should do nothing can be checked at once.
    bool HandledEarlierMessages() const;

  private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

}  // namespace e2e
