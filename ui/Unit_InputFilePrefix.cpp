#include "ui/Unit_InputFilePrefix.h"

#include <iterator>

#include "ui/prefix_check.h"
#include "ui/probe_files_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

using Form = TForm_InputFilePrefix;

constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr SuffixMode kItemModes[] = {SuffixMode::kTimestamp, SuffixMode::kNumbered};
constexpr int kItemCount = static_cast<int>(std::size(kItemModes));

// clang-format off
constexpr ControlRow kControls[] = {
    // id                       class       parent     left  top   w     h   text, style, item height, sizing
    {Form::Label1,              L"STATIC",  kNoParent, 8,    8,    138,  12, "Napište sufix souborů.", kDialogLabel, 0, Sizing::kFitText},
    {Form::Edit_NewFolder,      L"EDIT",    kNoParent, 8,    24,   377,  20, "DH", kDialogEdit},
    {Form::RadioGroup1,         L"BUTTON",  kNoParent, 8,    56,   377,  65, "Vyberte sufix jména souborů.", WS_CHILD | WS_VISIBLE | BS_GROUPBOX},
    {Form::RadioGroup1Item(0),  L"BUTTON",  kNoParent, 16,   72,   361,  20, "Ze systémového času DH(971010-022554-23).jpg", kRadio | WS_GROUP | WS_TABSTOP},
    {Form::RadioGroup1Item(1),  L"BUTTON",  kNoParent, 16,   94,   361,  20, "Z čísel 0001-9999   DH0045.jpg", kRadio},
    {Form::Button1,             L"BUTTON",  kNoParent, 224,  128,  75,   25, "OK", kDialogButton | WS_GROUP | BS_DEFPUSHBUTTON},
    {Form::Button2,             L"BUTTON",  kNoParent, 312,  128,  75,   25, "Storno", kDialogButton | BS_PUSHBUTTON},
};
// clang-format on

constexpr DialogTable kTable{"Jméno souboru", 393, 161, kControls};

}  // namespace

const DialogTable& TForm_InputFilePrefix::Table() const {
    return kTable;
}

void TForm_InputFilePrefix::Fill() {
    if (prefix_) win::SetWindowTextUtf8(Control(Edit_NewFolder), *prefix_);
    for (int index = 0; index < kItemCount; ++index)
        if (kItemModes[index] == suffixMode_)
            CheckRadioButton(Handle(), RadioGroup1Item(0), RadioGroup1Item(kItemCount - 1),
                             RadioGroup1Item(index));
}

// OK stays open until the prefix is proved to start a file name.
bool TForm_InputFilePrefix::AcceptOk() {
    TemporaryProbeFiles files;
    switch (CheckPrefix(win::WindowText(Control(Edit_NewFolder)), files)) {
        case PrefixVerdict::kAccepted:
            return true;
        case PrefixVerdict::kEmpty:
            MessageBoxW(Handle(), L"Input a file prefix.", L"INPUT ERROR", MB_OK);
            return false;
        case PrefixVerdict::kIllegal:
            MessageBoxW(Handle(), L"That file name is illegal.", L"FILE ERROR", MB_ICONINFORMATION);
            return false;
    }
    return false;
}

void TForm_InputFilePrefix::ReadBack() {
    prefix_ = win::WindowText(Control(Edit_NewFolder));
    for (int index = 0; index < kItemCount; ++index)
        if (IsDlgButtonChecked(Handle(), RadioGroup1Item(index)) == BST_CHECKED)
            suffixMode_ = kItemModes[index];
}

}  // namespace dhsu
