#include "shot/shot_recorder.h"

#include <stdexcept>

namespace dhsu {
namespace {

// Enough for any real race over a name; more means the folder keeps refusing every name.
constexpr int kNamingAttempts = 100;

}  // namespace

RecordedShot ShotRecorder::Record(const ShotImage& image, const ShotSettings& settings) {
    RecordedShot shot{++shotCount_, settings.prefix};
    try {
        shot.path = Write(image, settings, shot.prefix);
        shot.queue = settings.jpegEnabled;
    } catch (...) {
        shot.failure = std::current_exception();
    }
    return shot;
}

// Another program (or a copy) may take the name while the file is written: the shot then takes
// the next free name, the way naming passes over files that were there before.
std::string ShotRecorder::Write(const ShotImage& image, const ShotSettings& settings,
                                std::string& prefix) {
    std::string path = namer_.MakeShotPath(settings.folder, prefix, settings.suffixMode);
    const std::unique_ptr<WrittenShot> file = ReadSounding(image)->WriteBmp(path);
    for (int attempt = 1; !file->MoveTo(path); ++attempt) {
        if (attempt == kNamingAttempts)
            throw std::runtime_error("Cannot save the shot to \"" + path + "\".\nThe file exists.");
        path = namer_.MakeShotPath(settings.folder, prefix, settings.suffixMode);
    }
    return path;
}

// Heard before the file is written; a picture that cannot be read still beeps.
std::unique_ptr<ShotPixels> ShotRecorder::ReadSounding(const ShotImage& image) {
    std::unique_ptr<ShotPixels> pixels;
    try {
        pixels = image.ReadPixels();
    } catch (...) {
        system_.Beep(ShotSound::kBeep);
        throw;
    }
    system_.Beep(pixels->IsSingleColour() ? ShotSound::kWarning : ShotSound::kBeep);
    return pixels;
}

}  // namespace dhsu
