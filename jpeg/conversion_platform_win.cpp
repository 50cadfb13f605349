#include "jpeg/conversion_platform_win.h"

#include <utility>

#include "win/text.h"

namespace dhsu::win {
namespace {

template <typename Entry>
Entry FindEntry(HMODULE module, const char* name) {
    // Through the one function pointer type that converts to any other without a warning.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

std::unique_ptr<NviewLibrary> NviewLibrary::Open() {
    // By bare name: the system's search order for libraries applies.
    Library module(LoadLibraryW(Wide(kJpegLibraryName).c_str()));
    if (!module) return nullptr;
    return std::unique_ptr<NviewLibrary>(new NviewLibrary(std::move(module)));
}

NviewLibrary::NviewLibrary(Library module)
    : module_(std::move(module)),
      load_(FindEntry<LoadEntry>(module_.Get(), "NViewLibLoad")),
      saveAsJpg_(FindEntry<SaveAsJpgEntry>(module_.Get(), "NViewLibSaveAsJPG")) {}

bool NviewLibrary::Load(const std::string& bmpPath, int flags) {
    if (load_ == nullptr) return false;
    load_(bmpPath.c_str(), flags);
    return true;
}

bool NviewLibrary::SaveAsJpg(int quality, const std::string& jpegPath) {
    return saveAsJpg_ != nullptr && saveAsJpg_(quality, jpegPath.c_str()) != 0;
}

bool WinConversionPlatform::FileExists(const std::string& path) const {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void WinConversionPlatform::RemoveFile(const std::string& path) {
    DeleteFileW(Wide(path).c_str());
}

std::unique_ptr<JpegLibrary> WinConversionPlatform::OpenJpegLibrary() {
    return NviewLibrary::Open();
}

void WinConversionPlatform::ShowMessage(const std::string& text, const std::string& caption,
                                        unsigned flags) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), flags);
}

}  // namespace dhsu::win
