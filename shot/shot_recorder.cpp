#include "shot/shot_recorder.h"

#include <stdexcept>

namespace dhsu {
namespace {

// Enough for any real race over a name; more means the folder keeps refusing every name.
constexpr int kNamingAttempts = 100;

}  // namespace

std::string EncodingCaption(std::size_t queuedFiles) {
    if (queuedFiles == 0) return kAppTitle;
    return "Encoding..." + std::to_string(queuedFiles) + " - " + kAppTitle;
}

void ShotRecorder::RecordShot(const ShotImage* image) {
    if (image == nullptr) return;
    ++shotCount_;
    std::string path = NextShotPath();
    host_.Beep();
    const std::unique_ptr<WrittenShot> shot = image->WriteBmp(path);
    PlaceShot(*shot, path);
    if (host_.JpegEnabled()) {
        queue_.paths.Append(path);
        queue_.qualities.Append(std::to_string(host_.JpegQuality()));
        host_.WakeWorker();
    }
    UpdateEncodingCaption();
    host_.SetShotCountLabel("Shot : " + std::to_string(shotCount_));
}

void ShotRecorder::UpdateEncodingCaption() {
    host_.SetCaptionAndTitle(EncodingCaption(queue_.paths.Count()));
}

std::string ShotRecorder::NextShotPath() {
    return namer_.MakeShotPath(host_.FilePrefix(), host_.SuffixMode());
}

// Another program (or a copy) may take the name while the file is written: the shot then takes
// the next free name, the way naming passes over files that were there before.
void ShotRecorder::PlaceShot(WrittenShot& shot, std::string& path) {
    for (int attempt = 1; !shot.MoveTo(path); ++attempt) {
        if (attempt == kNamingAttempts)
            throw std::runtime_error("Cannot save the shot to \"" + path + "\".\nThe file exists.");
        path = NextShotPath();
    }
}

}  // namespace dhsu
