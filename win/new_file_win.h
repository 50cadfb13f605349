#pragma once
// The one way a new file of ours is written: created new under a temporary name beside where it
// will go, written, then moved to its name without replacing anything. The program's shots and
// NviewLib's JPEGs both come this way; it throws nothing and allocates nothing, for NviewLib.

#include <windows.h>

#include "win/handles_win.h"
#include "win/temporary_name.h"

namespace dhsu::win {

// `path` holds the target's folder, empty or ending in a separator, with room for
// kTemporaryNameLength more characters; the temporary name is written after it. The file is open
// for writing and shares deletion only: the move may rename it while we hold it, nobody may
// write, and a start-up sweep passes it by. Empty, with `error` set, when none could be made.
FileHandle CreateTemporaryFile(wchar_t* path, DWORD& error);

// Renames through our handle, without opening the file again (half the cost of MoveFileEx
// under Wine); on Windows that moves the very file we hold, whatever has its temporary name
// now. Replaces nothing: a file that has taken `target` meanwhile stays as it is, and the call
// fails with ERROR_ALREADY_EXISTS or ERROR_FILE_EXISTS.
bool MoveIntoPlace(HANDLE file, const wchar_t* target, DWORD& error);

bool IsNameTaken(DWORD error);

// Through the handle, so only the very file we hold goes, whatever now has its name.
void RemoveWhenClosed(HANDLE file);

}  // namespace dhsu::win
