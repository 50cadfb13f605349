#pragma once
// Whether a file prefix can start a file name: proved by creating and deleting a probe file
// of that prefix in the temporary folder.

#include <optional>
#include <string>

namespace dhsu {

enum class ProbeResult { kCreated, kExists, kFailed };

// The file system as the probe needs it; paths are UTF-8.
class ProbeFiles {
  public:
    virtual ~ProbeFiles() = default;
    // The temporary folder, ending with a path separator; nothing when it cannot be found.
    virtual std::optional<std::string> TemporaryFolder() = 0;
    // Creates and closes a new, empty file; never opens or truncates one that exists.
    virtual ProbeResult CreateNew(const std::string& path) = 0;
    virtual void Delete(const std::string& path) = 0;
};

enum class PrefixVerdict { kAccepted, kEmpty, kIllegal };

// The probe is temporary folder + prefix + "_0000.tmp". A file of that name belongs to someone
// else and is left alone: the probe moves on to "_0001.tmp" and so on.
PrefixVerdict CheckPrefix(const std::string& prefix, ProbeFiles& files);

}  // namespace dhsu
