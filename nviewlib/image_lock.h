#pragma once
// Keeps the callers' threads from using the one current image at the same time.

namespace dhsu::nviewlib {

// Held from construction to destruction; one lock for the whole library.
class ImageLock {
  public:
    ImageLock();
    ~ImageLock();
    ImageLock(const ImageLock&) = delete;
    ImageLock& operator=(const ImageLock&) = delete;
};

}  // namespace dhsu::nviewlib
