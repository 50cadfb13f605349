#include "ui/Unit_NewFolder.h"

#include "win/text_win.h"

namespace dhsu {
namespace {

// Button1 comes first in the tab order, so Enter at once accepts the proposed name.
// clang-format off
constexpr DialogControl kControls[] = {
    // id                          class       left  top  w     h   text, style
    {TForm_Input::Label1,          L"STATIC",  8,    8,   309,  12, "Napište název nového adresáře do kterého chcete obrázky ukládat.", kDialogLabel, Sizing::kFitText},
    {TForm_Input::Label_Parent,    L"STATIC",  8,    24,  64,   12, "Label_Parent", kDialogLabel | SS_PATHELLIPSIS, Sizing::kFitText},
    {TForm_Input::Button1,         L"BUTTON",  224,  72,  75,   25, "OK", kDialogButton | BS_DEFPUSHBUTTON},
    {TForm_Input::Button2,         L"BUTTON",  312,  72,  75,   25, "Storno", kDialogButton | BS_PUSHBUTTON},
    {TForm_Input::Edit_NewFolder,  L"EDIT",    8,    40,  377,  20, "DH-Obrazky", kDialogEdit},
};
// clang-format on

constexpr DialogDesign kDesign{"Vytvořit nový adresář", 393, 102, kControls};

}  // namespace

const DialogDesign& TForm_Input::Design() const {
    return kDesign;
}

void TForm_Input::FillControls() {
    if (parentCaption_) win::SetWindowTextUtf8(Control(Label_Parent), *parentCaption_);
    if (editText_) win::SetWindowTextUtf8(Control(Edit_NewFolder), *editText_);
}

void TForm_Input::ReadBack() {
    editText_ = win::WindowText(Control(Edit_NewFolder));
}

}  // namespace dhsu
