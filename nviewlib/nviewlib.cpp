#include "nviewlib/nviewlib.h"

#include "nviewlib/current_image.h"

// The library is built without C++ exceptions: nothing can throw into the caller, and running
// out of memory for a large image is a failed call like any other.
extern "C" int NVIEWLIB_CALL NViewLibLoad(const char* path, int /*flags*/) {
    return dhsu::nviewlib::LoadCurrentImage(path) ? 1 : 0;
}

extern "C" int NVIEWLIB_CALL NViewLibSaveAsJPG(int quality, const char* path) {
    return dhsu::nviewlib::SaveCurrentImageAsJpeg(quality, path) ? 1 : 0;
}
