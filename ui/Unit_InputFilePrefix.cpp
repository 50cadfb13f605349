#include "ui/Unit_InputFilePrefix.h"

#include "ui/prefix_check.h"
#include "ui/probe_files_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

using Form = TForm_InputFilePrefix;

constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr int kItemCount = 2;

// clang-format off
constexpr DialogControl kControls[] = {
    // id                       class       left  top   w     h   text, style
    {Form::Label1,              L"STATIC",  8,    8,    138,  12, "Napište sufix souborů.", kDialogLabel, Sizing::kFitText},
    {Form::Label_Parent,        L"STATIC",  360,  8,    64,   12, "Label_Parent", WS_CHILD | SS_LEFTNOWORDWRAP},  // not visible
    {Form::Edit_NewFolder,      L"EDIT",    8,    24,   377,  20, "DH", kDialogEdit},
    {Form::RadioGroup1,         L"BUTTON",  8,    56,   377,  65, "Vyberte sufix jména souborů.", WS_CHILD | WS_VISIBLE | BS_GROUPBOX},
    {Form::RadioGroup1Item(0),  L"BUTTON",  16,   72,   361,  20, "Ze systémového času DH(971010-022554-23).jpg", kRadio | WS_GROUP | WS_TABSTOP},
    {Form::RadioGroup1Item(1),  L"BUTTON",  16,   94,   361,  20, "Z čísel 0001-9999   DH0045.jpg", kRadio},
    {Form::Button1,             L"BUTTON",  224,  128,  75,   25, "OK", kDialogButton | WS_GROUP | BS_DEFPUSHBUTTON},
    {Form::Button2,             L"BUTTON",  312,  128,  75,   25, "Storno", kDialogButton | BS_PUSHBUTTON},
};
// clang-format on

constexpr DialogDesign kDesign{"Jméno souboru", 393, 161, kControls};

}  // namespace

TForm_InputFilePrefix::TForm_InputFilePrefix(const DialogOwner& owner) : TForm_Input(owner) {}

const DialogDesign& TForm_InputFilePrefix::Design() const {
    return kDesign;
}

void TForm_InputFilePrefix::FillControls() {
    TForm_Input::FillControls();
    if (itemIndex_ >= 0 && itemIndex_ < kItemCount)
        CheckRadioButton(Handle(), RadioGroup1Item(0), RadioGroup1Item(kItemCount - 1),
                         RadioGroup1Item(itemIndex_));
}

void TForm_InputFilePrefix::HandleCommand(int id, int code) {
    if (id == Button1 && code == BN_CLICKED) Button1Click();
}

// OK stays open until the prefix is proved to start a file name.
void TForm_InputFilePrefix::Button1Click() {
    TemporaryProbeFiles files;
    switch (CheckPrefix(win::WindowText(Control(Edit_NewFolder)), files)) {
        case PrefixVerdict::kAccepted:
            SetModalResult(kModalOk);
            break;
        case PrefixVerdict::kEmpty:
            MessageBoxW(Handle(), L"Input a file prefix.", L"INPUT ERROR", MB_OK);
            SetModalResult(kModalNone);
            break;
        case PrefixVerdict::kIllegal:
            SetModalResult(kModalNone);
            MessageBoxW(Handle(), L"That file name is illegal.", L"FILE ERROR", MB_ICONINFORMATION);
            break;
    }
}

void TForm_InputFilePrefix::ReadBack() {
    TForm_Input::ReadBack();
    for (int index = 0; index < kItemCount; ++index)
        if (IsDlgButtonChecked(Handle(), RadioGroup1Item(index)) == BST_CHECKED) itemIndex_ = index;
}

}  // namespace dhsu
