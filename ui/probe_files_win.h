#pragma once
// The probe's file system: the real temporary folder.

#include "ui/prefix_check.h"

namespace dhsu {

class TemporaryProbeFiles : public ProbeFiles {
  public:
    std::optional<std::string> TemporaryFolder() override;
    ProbeResult CreateNew(const std::string& path) override;
    void Delete(const std::string& path) override;
};

}  // namespace dhsu
