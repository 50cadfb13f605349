#pragma once
// A shot's file while it is written: created new under a temporary name of ours in the shot's
// folder, and moved to the shot's name only once it is complete.

#include <windows.h>

#include <stdexcept>
#include <string>

#include "shot/shot_recorder.h"
#include "win/handles_win.h"

namespace dhsu {

// "Cannot save the shot to "<path>".", then the system's reason.
std::runtime_error ShotSaveError(const std::string& shotPath, DWORD error);

class TemporaryShotFile : public WrittenShot {
  public:
    // Throws with the reason when the folder of `shotPath` takes no new file.
    explicit TemporaryShotFile(const std::string& shotPath);
    ~TemporaryShotFile() override;
    TemporaryShotFile(const TemporaryShotFile&) = delete;
    TemporaryShotFile& operator=(const TemporaryShotFile&) = delete;

    HANDLE Handle() const { return file_.Get(); }
    bool MoveTo(const std::string& path) override;

  private:
    // Open from creation until the file has its name: a program's clean-up at start-up removes
    // only leftovers that nobody holds.
    win::FileHandle file_;
    bool placed_ = false;
};

// Removes what killed runs left in `folder`: files of our temporary pattern, empty or begun as
// a BMP or a JPEG, that no running program holds open. Anything else stays, whatever its name.
void RemoveLeftoverShots(const std::string& folder);

}  // namespace dhsu
