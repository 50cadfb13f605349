#include "ui/prefix_check.h"

#include <cstdio>

namespace dhsu {
namespace {

constexpr int kProbeNames = 10000;  // "_0000.tmp" to "_9999.tmp"

std::string ProbeName(const std::string& prefix, int number) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%04d.tmp", number);
    return prefix + suffix;
}

}  // namespace

PrefixVerdict CheckPrefix(const std::string& prefix, ProbeFiles& files) {
    if (prefix.empty()) return PrefixVerdict::kEmpty;
    const std::optional<std::string> folder = files.TemporaryFolder();
    if (!folder) return PrefixVerdict::kIllegal;
    for (int number = 0; number < kProbeNames; ++number) {
        const std::string path = *folder + ProbeName(prefix, number);
        switch (files.CreateNew(path)) {
            case ProbeResult::kCreated:
                files.Delete(path);
                return PrefixVerdict::kAccepted;
            case ProbeResult::kExists:
                continue;
            case ProbeResult::kFailed:
                return PrefixVerdict::kIllegal;
        }
    }
    return PrefixVerdict::kIllegal;
}

}  // namespace dhsu
