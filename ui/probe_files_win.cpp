#include "ui/probe_files_win.h"

#include <windows.h>

#include "win/files_win.h"
#include "win/handles_win.h"
#include "win/text_win.h"

namespace dhsu {

std::optional<std::string> TemporaryProbeFiles::TemporaryFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    // A result longer than the buffer is the size it would need: no path was written.
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return win::Utf8({folder, length});
}

ProbeResult TemporaryProbeFiles::CreateNew(const std::string& path) {
    const std::wstring widePath = win::Wide(path);
    const win::FileHandle file(CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return ProbeResult::kCreated;
    // Whatever stopped the creation, a file or folder of that name is someone else's.
    if (win::PathExists(widePath)) return ProbeResult::kExists;
    return ProbeResult::kFailed;
}

void TemporaryProbeFiles::Delete(const std::string& path) {
    DeleteFileW(win::Wide(path).c_str());
}

}  // namespace dhsu
