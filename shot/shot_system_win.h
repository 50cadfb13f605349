#pragma once
// The system as a shot meets it on Windows: the local clock, the file system, the beep.

#include "shot/shot_recorder.h"

namespace dhsu {

class WinShotSystem final : public ShotSystem {
  public:
    LocalTime Now() override;
    bool IsTaken(const std::string& path) const override;
    void Beep(ShotSound sound) override;
};

}  // namespace dhsu
