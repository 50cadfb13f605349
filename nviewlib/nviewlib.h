#pragma once
// The entry points of NviewLib.dll, the program's BMP to JPEG converter. Both return nonzero on
// success and 0 on failure; paths are UTF-8. The library keeps one current image per process.

#if defined(_WIN32)
#define NVIEWLIB_CALL __stdcall
#else
#define NVIEWLIB_CALL
#endif

extern "C" {

// Loads a BMP file as the current image. `flags` is unused (callers pass 0). A file that cannot
// be read leaves no current image, so a later save cannot write an earlier picture by mistake.
int NVIEWLIB_CALL NViewLibLoad(const char* path, int flags);

// Writes the current image as a baseline JPEG of quality 0..100. Without a current image, or on
// any failure, it returns 0 and leaves no file at `path`.
int NVIEWLIB_CALL NViewLibSaveAsJPG(int quality, const char* path);

}  // extern "C"
