// NviewLib.dll built from the library's own sources for the tests: after each load it tells the
// test and waits for it, so that the test acts between the load and the save at a known moment.

#include <windows.h>

#include "nviewlib/current_image.h"
#include "nviewlib/nviewlib.h"
#include "tests/e2e/paused_library.h"
#include "win/handles_win.h"

namespace {

constexpr DWORD kLongestPauseMs = 60000;

void PauseForTheTest() {
    const dhsu::win::KernelHandle loaded(
        OpenEventW(EVENT_MODIFY_STATE, FALSE, e2e::kLibraryLoadedEvent));
    const dhsu::win::KernelHandle resume(OpenEventW(SYNCHRONIZE, FALSE, e2e::kLibraryResumeEvent));
    if (!loaded || !resume) return;
    SetEvent(loaded.Get());
    WaitForSingleObject(resume.Get(), kLongestPauseMs);
}

}  // namespace

extern "C" int NVIEWLIB_CALL NViewLibLoad(const char* path, int /*flags*/) {
    const bool loaded = dhsu::nviewlib::LoadCurrentImage(path);
    PauseForTheTest();
    return loaded ? 1 : 0;
}

extern "C" int NVIEWLIB_CALL NViewLibSaveAsJPG(int quality, const char* path) {
    return dhsu::nviewlib::SaveCurrentImageAsJpeg(quality, path) ? 1 : 0;
}
