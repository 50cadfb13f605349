#include "nviewlib/image_lock.h"

#include <mutex>

namespace dhsu::nviewlib {
namespace {

std::mutex imageMutex;

}  // namespace

ImageLock::ImageLock() {
    imageMutex.lock();
}

ImageLock::~ImageLock() {
    imageMutex.unlock();
}

}  // namespace dhsu::nviewlib
