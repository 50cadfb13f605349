#pragma once
// The library's one current image per process, behind its two entry points: loaded from a BMP
// file, saved as a JPEG file. Any thread may call; paths are UTF-8.

namespace dhsu::nviewlib {

// A file that cannot be read leaves no current image.
bool LoadCurrentImage(const char* path);

// Writes the current image as a new JPEG file at `path`; a file already there is left alone and
// the save fails.
bool SaveCurrentImageAsJpeg(int quality, const char* path);

}  // namespace dhsu::nviewlib
