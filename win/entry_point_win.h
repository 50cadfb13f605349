#pragma once
// An entry point that a module may lack, looked up at run time rather than linked.

#include <windows.h>

namespace dhsu::win {

// Null when `module` has no entry point of that name.
template <typename Entry>
Entry FindEntry(HMODULE module, const char* name) {
    // Through the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace dhsu::win
