// A NviewLib.dll that loads but has neither of the library's entry points: a wrong or broken
// copy, as a player might have beside the program.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
