#include "shot/client_area_read.h"

namespace dhsu {
namespace {

enum class Look { kFlat, kPatterned, kUnreadable };

// A picture that cannot be read is left to the recording, which reports it.
Look LookOf(const ShotImage* image) {
    if (image == nullptr) return Look::kUnreadable;
    try {
        return image->ReadPixels()->IsSingleColour() ? Look::kFlat : Look::kPatterned;
    } catch (...) {
        return Look::kUnreadable;
    }
}

}  // namespace

ClientAreaRead ChooseClientAreaRead(const ShotImage& windowRead,
                                    const std::function<const ShotImage*()>& readScreen) {
    if (LookOf(&windowRead) != Look::kFlat) return ClientAreaRead::kWindow;
    return LookOf(readScreen()) == Look::kPatterned ? ClientAreaRead::kScreen
                                                    : ClientAreaRead::kWindow;
}

}  // namespace dhsu
