// Start-up time to the window shown, and idle memory, of dhsu.exe beside a program that shows the
// same window and does nothing else (what dhsu takes beyond it is its own start-up work) and
// beside a minimal Win32 window program, all started the same way in the same run, in turns.

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

struct Spread {
    double median, low, high;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

struct Runs {
    std::vector<double> startupMs, workingSetKb, peakWorkingSetKb;
    void Add(const Sample& s) {
        startupMs.push_back(s.startupMs);
        workingSetKb.push_back(s.workingSetKb);
        peakWorkingSetKb.push_back(s.peakWorkingSetKb);
    }
};

void PrintRow(const char* name, const Runs& runs) {
    const Spread startup = SpreadOf(runs.startupMs);
    std::printf("%-24s %7.1f ms (%5.1f-%5.1f)   %8.0f KB   %8.0f KB\n", name, startup.median,
                startup.low, startup.high, SpreadOf(runs.workingSetKb).median,
                SpreadOf(runs.peakWorkingSetKb).median);
}

double RatioOfMedians(const std::vector<double>& ours, const std::vector<double>& base) {
    return SpreadOf(ours).median / SpreadOf(base).median;
}

void PrintRatio(const char* against, const Runs& dhsu, const Runs& base) {
    std::vector<double> runByRun;
    for (std::size_t i = 0; i < dhsu.startupMs.size(); ++i)
        runByRun.push_back(dhsu.startupMs[i] / base.startupMs[i]);
    std::printf("dhsu / %-17s %7.2f   (run by run %.2f)      %8.2f      %8.2f\n", against,
                RatioOfMedians(dhsu.startupMs, base.startupMs), SpreadOf(runByRun).median,
                RatioOfMedians(dhsu.workingSetKb, base.workingSetKb),
                RatioOfMedians(dhsu.peakWorkingSetKb, base.peakWorkingSetKb));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(stderr,
                      L"usage: bench_startup <dhsu.exe> <same_window.exe> "
                      L"<minimal_window.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 7;
    // Taking turns spreads the load of a shared host over all three alike.
    Runs dhsu, same, minimal;
    for (int i = 0; i < runs; ++i) {
        minimal.Add(Measure(argv[3]));
        same.Add(Measure(argv[2]));
        dhsu.Add(Measure(argv[1]));
    }
    std::printf(
        "median of %d runs       start-up to window (min-max)  working set  peak working set\n",
        runs);
    PrintRow("minimal window program", minimal);
    PrintRow("same window program", same);
    PrintRow("dhsu.exe", dhsu);
    PrintRatio("same window", dhsu, same);
    PrintRatio("minimal window", dhsu, minimal);
    return 0;
}
