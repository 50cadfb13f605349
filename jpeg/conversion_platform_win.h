#pragma once
// The conversion's platform on Windows: the shot files, NviewLib.dll and the message box.

#include <windows.h>

#include <memory>
#include <string>

#include "jpeg/conversion_platform.h"
#include "win/handles.h"

namespace dhsu::win {

// NviewLib.dll with its two entry points, both taking UTF-8 paths.
class NviewLibrary : public JpegLibrary {
  public:
    // Nothing when the library cannot be loaded.
    static std::unique_ptr<NviewLibrary> Open();

    bool Load(const std::string& bmpPath, int flags) override;
    bool SaveAsJpg(int quality, const std::string& jpegPath) override;

  private:
    using LoadEntry = int(WINAPI*)(const char* utf8Path, int flags);
    using SaveAsJpgEntry = int(WINAPI*)(int quality, const char* utf8Path);

    explicit NviewLibrary(Library module);

    Library module_;
    LoadEntry load_ = nullptr;
    SaveAsJpgEntry saveAsJpg_ = nullptr;
};

class WinConversionPlatform : public ConversionPlatform {
  public:
    bool FileExists(const std::string& path) const override;
    void RemoveFile(const std::string& path) override;
    std::unique_ptr<JpegLibrary> OpenJpegLibrary() override;
    void ShowMessage(const std::string& text, const std::string& caption, unsigned flags) override;
};

}  // namespace dhsu::win
