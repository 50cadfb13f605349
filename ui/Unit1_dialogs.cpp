// The main window's handlers that run its dialogs.

#include <direct.h>

#include "ui/Unit1.h"
#include "ui/Unit_InputFilePrefix.h"
#include "ui/Unit_NewFolder.h"
#include "ui/Unit_OptionDialog.h"
#include "win/path_join.h"
#include "win/text_win.h"

namespace dhsu {

void TForm1::POPUP_NEWFOLDERClick() {
    TForm_Input dialog({handle_, parts_.font, parts_.dpi});
    dialog.SetLabelParentCaption("Parent Folder : " + win::Utf8(parts_.folders.Directory()));
    if (dialog.ShowModal() != kModalOk) return;
    // The name as typed: whatever the file system refuses gives the one message below.
    const std::wstring path =
        win::JoinPath(parts_.folders.Directory(), win::Wide(dialog.EditNewFolderText()));
    if (_wmkdir(path.c_str()) != 0) {
        MessageBoxW(handle_, L"Failure to create a new folder", L"ERROR",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    parts_.folders.SetDirectory(path);
}

void TForm1::Button_FileNameClick() {
    TForm_InputFilePrefix dialog({handle_, parts_.font, parts_.dpi});
    dialog.SetFilePrefix(settings_.filePrefix);
    dialog.SetSuffixMode(settings_.suffixMode);
    if (dialog.ShowModal() != kModalOk) return;
    settings_.filePrefix = dialog.FilePrefix();
    settings_.suffixMode = dialog.ChosenSuffixMode();
}

void TForm1::Button_OptionClick() {
    TForm_KeyAssign dialog({handle_, parts_.font, parts_.dpi});
    dialog.SetKey(settings_.shutterKey);
    if (dialog.ShowModal() != kModalOk) return;
    settings_.shutterKey = dialog.Key();
    shutterHotkey_.Register(handle_, static_cast<UINT>(settings_.shutterKey));
}

}  // namespace dhsu
