#include "nviewlib/nviewlib.h"

#include "nviewlib/current_image.h"

// Nothing may escape into the caller, which knows nothing of C++ exceptions; running out of
// memory for a large image is the one failure that throws.
extern "C" int NVIEWLIB_CALL NViewLibLoad(const char* path, int /*flags*/) {
    try {
        return dhsu::nviewlib::LoadCurrentImage(path) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

extern "C" int NVIEWLIB_CALL NViewLibSaveAsJPG(int quality, const char* path) {
    try {
        return dhsu::nviewlib::SaveCurrentImageAsJpeg(quality, path) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
