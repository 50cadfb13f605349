// Start-up time to the window shown, and idle memory, of dhsu.exe beside a minimal Win32 window
// program, both started the same way in the same run.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double startupMs = 0;
    double workingSetKb = 0;
    double peakWorkingSetKb = 0;
};

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CloseWindows(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

Sample Measure(const std::wstring& exe) {
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const auto start = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return {};
    WindowSearch search{process.dwProcessId, false};
    while (!search.found && Clock::now() - start < std::chrono::seconds(30)) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    Sample sample;
    sample.startupMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::seconds(2));  // idle: start-up work done
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
        sample.workingSetKb = memory.WorkingSetSize / 1024.0;
        sample.peakWorkingSetKb = memory.PeakWorkingSetSize / 1024.0;
    }
    EnumWindows(CloseWindows, process.dwProcessId);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return sample;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Sample MedianOf(const std::wstring& exe, int runs) {
    std::vector<double> startup, workingSet, peak;
    for (int i = 0; i < runs; ++i) {
        const Sample s = Measure(exe);
        startup.push_back(s.startupMs);
        workingSet.push_back(s.workingSetKb);
        peak.push_back(s.peakWorkingSetKb);
    }
    return {Median(startup), Median(workingSet), Median(peak)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: bench_startup <dhsu.exe> <minimal_window.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? _wtoi(argv[3]) : 5;
    const Sample minimal = MedianOf(argv[2], runs);
    const Sample dhsu = MedianOf(argv[1], runs);
    std::printf("median of %d runs       start-up to window   working set   peak working set\n",
                runs);
    std::printf("minimal window program  %10.1f ms        %8.0f KB   %8.0f KB\n", minimal.startupMs,
                minimal.workingSetKb, minimal.peakWorkingSetKb);
    std::printf("dhsu.exe                %10.1f ms        %8.0f KB   %8.0f KB\n", dhsu.startupMs,
                dhsu.workingSetKb, dhsu.peakWorkingSetKb);
    std::printf("ratio                   %10.2f           %8.2f      %8.2f\n",
                dhsu.startupMs / minimal.startupMs, dhsu.workingSetKb / minimal.workingSetKb,
                dhsu.peakWorkingSetKb / minimal.peakWorkingSetKb);
    return 0;
}
