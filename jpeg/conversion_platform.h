#pragma once
// What a conversion needs from the system: the shot files, the JPEG library, a message box.

#include <memory>
#include <string>

namespace dhsu {

// The outside JPEG library, loaded for one conversion and released when destroyed.
class JpegLibrary {
  public:
    virtual ~JpegLibrary() = default;
    // False, having done nothing, when the library lacks the entry point.
    virtual bool Load(const std::string& bmpPath, int flags) = 0;
    // False when the library lacks the entry point or reports that it wrote no JPEG.
    virtual bool SaveAsJpg(int quality, const std::string& jpegPath) = 0;
};

class ConversionPlatform {
  public:
    virtual ~ConversionPlatform() = default;
    virtual bool FileExists(const std::string& path) const = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // Nothing when the library cannot be found.
    virtual std::unique_ptr<JpegLibrary> OpenJpegLibrary() = 0;
    // A modal message box shown from the worker thread; returns when it is dismissed.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             unsigned flags) = 0;
};

constexpr const char* kJpegLibraryName = "NviewLib.dll";
constexpr const char* kLibraryMissingText = "NviewLib.dll is not found.";
constexpr const char* kJpegErrorCaption = "JPEG Encoding Error";
constexpr unsigned kMessageIconError = 0x10;        // MB_ICONERROR
constexpr unsigned kMessageIconInformation = 0x40;  // MB_ICONINFORMATION

}  // namespace dhsu
