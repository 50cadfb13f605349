// Entry point: one instance at a time, the main window, the message loop.

#include <windows.h>

#include <commctrl.h>

#include "ui/error_box_win.h"
#include "ui/Unit1.h"
#include "win/handles_win.h"
#include "win/message_pump_win.h"

namespace {

constexpr wchar_t kInstanceMutex[] = L"Duskhold_Screenshot_Utility_Mutex";

bool AnotherInstanceRuns() {
    const dhsu::win::KernelHandle existing(OpenMutexW(0, TRUE, kInstanceMutex));
    return static_cast<bool>(existing);
}

void TellAnotherInstanceRuns() {
    MessageBoxW(nullptr, L"Two DHSUs can't run at the same time.", L"DH Screenshot Utlilty",
                MB_OK | MB_ICONINFORMATION);
}

// The exit status: 1 when the program could not start.
int RunApplication(int showCommand, HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    dhsu::TForm1 form(instance);
    bool started = false;
    dhsu::RunShowingErrors(nullptr, [&] {
        started = form.Create(showCommand);
        if (started) dhsu::win::RunMessageLoop(form.Handle());
    });
    return started ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (AnotherInstanceRuns()) {
        TellAnotherInstanceRuns();
        return 1;
    }
    dhsu::win::KernelHandle instanceMutex(CreateMutexW(nullptr, TRUE, kInstanceMutex));
    // A copy started in the same instant can pass the check above too: whoever created the mutex
    // first runs.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        instanceMutex.Reset();
        TellAnotherInstanceRuns();
        return 1;
    }
    return RunApplication(showCommand, instance);
}
