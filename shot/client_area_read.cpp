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

ClientAreaChoice ReadWindowFirst(const ClientAreaReads& reads) {
    if (LookOf(reads.window()) != Look::kFlat) return {ClientAreaRead::kWindow, false};
    if (LookOf(reads.screen()) == Look::kPatterned) return {ClientAreaRead::kScreen, true};
    return {ClientAreaRead::kWindow, false};
}

// A flat screen may be a black loading screen of a window that still reads flat itself: it
// stays known as such.
ClientAreaChoice ReadScreenFirst(const ClientAreaReads& reads) {
    if (LookOf(reads.windowRow()) != Look::kFlat) return ReadWindowFirst(reads);
    if (LookOf(reads.screen()) == Look::kPatterned) return {ClientAreaRead::kScreen, true};
    return {ClientAreaRead::kWindow, LookOf(reads.window()) == Look::kFlat};
}

}  // namespace

ClientAreaChoice ChooseClientAreaRead(bool screenFirst, const ClientAreaReads& reads) {
    return screenFirst ? ReadScreenFirst(reads) : ReadWindowFirst(reads);
}

}  // namespace dhsu
