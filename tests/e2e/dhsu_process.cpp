#include "dhsu_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "registry_settings.h"
#include "ui/main_window_controls_win.h"
#include "win/utf16.h"
#include "window_search.h"

namespace e2e {

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout,
             std::chrono::milliseconds poll) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::this_thread::sleep_for(poll);
    }
    return true;
}

std::filesystem::path TestDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

std::filesystem::path ProgramDirectory() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"DHSU_E2E_PROGRAM_DIR", folder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return folder;
    return TestDirectory();
}

std::filesystem::path FreshFolder(const std::string& name) {
    // A shard of the suite that runs beside others (DHSU_E2E_SHARD) has folders of its own,
    // since a test runs once more in a variant under the same name.
    wchar_t shard[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"DHSU_E2E_SHARD", shard, 16);
    std::wstring runs = L"e2e-run";
    if (length > 0 && length < 16) runs += std::wstring(L"-shard") + shard;
    const auto folder = TestDirectory() / runs / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    // Works across processes for captions and control texts alike.
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
    return dhsu::Utf8FromUtf16(reinterpret_cast<const char16_t*>(text));
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void PressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

bool StartProcess(const std::filesystem::path& exe, const std::filesystem::path& folder,
                  PROCESS_INFORMATION& info, const std::wstring& arguments) {
    return WaitFor([&] {
        STARTUPINFOW startup{sizeof startup};
        std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &info))
            return true;
        std::printf("cannot start %s: error %lu; trying again\n", exe.string().c_str(),
                    GetLastError());
        return false;
    });
}

bool WaitForKeyHeldElsewhere(HWND probe, UINT key) {
    constexpr int kProbeId = 0xBFFF;
    const auto start = std::chrono::steady_clock::now();
    const bool held = WaitFor([&] {
        if (!RegisterHotKey(probe, kProbeId, 0, key)) return true;
        UnregisterHotKey(probe, kProbeId);
        return false;
    });
    const auto waited = std::chrono::steady_clock::now() - start;
    std::printf("key 0x%02X held elsewhere after %lld ms\n", key,
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(waited).count()));
    return held;
}

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (std::wstring(className) == L"Static") {
        const std::string text = WindowText(child);
        if (!text.empty()) *reinterpret_cast<std::string*>(param) += text;
    }
    return TRUE;
}

}  // namespace

HWND FindMessageBox(const std::wstring& caption, DWORD processId) {
    return FindTopWindow(L"#32770", caption.c_str(), processId);
}

std::string MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void DismissMessageBox(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(box); });
}

DhsuProcess::DhsuProcess(const std::filesystem::path& folder, bool withLibrary, bool keepSettings,
                         bool waitForWindow, const std::filesystem::path& program,
                         const std::filesystem::path& currentFolder) {
    if (!keepSettings) ClearSettings();
    const auto exe = folder / "dhsu.exe";
    std::vector<std::pair<std::filesystem::path, std::string>> files{
        {program.empty() ? ProgramDirectory() / "dhsu.exe" : program, "dhsu.exe"}};
    if (withLibrary) files.emplace_back(ProgramDirectory() / "NviewLib.dll", "NviewLib.dll");
    for (const auto& [source, name] : files) {
        if (!CopyFileW(source.c_str(), (folder / name).c_str(), FALSE))
            ADD_FAILURE() << "cannot copy " << source.string();
    }
    if (!StartProcess(exe, currentFolder.empty() ? folder : currentFolder, info_)) {
        ADD_FAILURE() << "cannot start " << exe.string();
        return;
    }
    if (waitForWindow) WaitForWindow();
}

HWND DhsuProcess::WaitForWindow() {
    WaitFor(
        [&] { return (window_ = FindTopWindow(L"TForm1", nullptr, info_.dwProcessId)) != nullptr; },
        kPatience);
    EXPECT_NE(window_, nullptr) << "dhsu.exe showed no main window";
    return window_;
}

DhsuProcess::~DhsuProcess() {
    if (info_.hProcess == nullptr) return;
    if (!HasExited()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

void DhsuProcess::Click(int id) const {
    SendMessageTimeoutW(Control(id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
}

bool DhsuProcess::IsChecked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

DWORD DhsuProcess::Close(std::chrono::milliseconds timeout) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return ExitCode(timeout);
}

DWORD DhsuProcess::ExitCode(std::chrono::milliseconds timeout) const {
    if (!HasExited(timeout)) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool DhsuProcess::HasExited(std::chrono::milliseconds wait) const {
    return WaitFor([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, wait);
}

void DhsuProcess::Kill() {
    TerminateProcess(info_.hProcess, 1);
    EXPECT_TRUE(HasExited(kPatience));
}

bool DhsuProcess::HandledEarlierMessages() const {
    // The quality edit's text limit is the marker: changing it changes nothing a test looks at,
    // and a posted message is handled only after every message posted before it.
    HWND edit = Control(dhsu::Edit_Q);
    const auto limitIs = [edit](DWORD_PTR limit) {
        DWORD_PTR now = 0;
        return SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                   &now) &&
               now == limit;
    };
    DWORD_PTR original = 0;
    SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &original);
    const DWORD_PTR marker = original + 1;
    PostMessageW(edit, EM_SETLIMITTEXT, marker, 0);
    const bool handled = WaitFor([&] { return limitIs(marker); }, kPatience, 1ms);
    PostMessageW(edit, EM_SETLIMITTEXT, original, 0);
    return handled && WaitFor([&] { return limitIs(original); }, kPatience, 1ms);
}

}  // namespace e2e
