#include "shot/shot_recorder.h"

namespace dhsu {

std::string EncodingCaption(std::size_t queuedFiles) {
    if (queuedFiles == 0) return kAppTitle;
    return "Encoding..." + std::to_string(queuedFiles) + " - " + kAppTitle;
}

void ShotRecorder::RecordShot(const ShotImage* image) {
    if (image == nullptr) return;
    ++shotCount_;
    const std::string path = namer_.MakeShotPath(host_.FilePrefix(), host_.SuffixMode());
    host_.Beep();
    image->SaveBmp(path);
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

}  // namespace dhsu
