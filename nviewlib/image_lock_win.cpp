#include "nviewlib/image_lock.h"

#include <windows.h>

namespace dhsu::nviewlib {
namespace {

// Not std::mutex: with mingw-w64's posix thread model it would bring the posix thread runtime
// into the library, which keeps state for each load of the library and each calling thread that
// FreeLibrary never returns. A slim lock needs neither set-up nor clean-up.
constinit SRWLOCK imageLock = SRWLOCK_INIT;

}  // namespace

ImageLock::ImageLock() {
    AcquireSRWLockExclusive(&imageLock);
}

ImageLock::~ImageLock() {
    ReleaseSRWLockExclusive(&imageLock);
}

}  // namespace dhsu::nviewlib
