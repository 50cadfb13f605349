#include "ui/Unit_NewFolder.h"

#include "win/text_win.h"

namespace dhsu {
namespace {

// Button1 comes first in the tab order, so Enter at once accepts the proposed name.
// clang-format off
constexpr ControlRow kControls[] = {
    // id                          class       parent     left  top  w     h   text, style, item height, sizing
    {TForm_Input::Label1,          L"STATIC",  kNoParent, 8,    8,   309,  12, "Napište název nového adresáře do kterého chcete obrázky ukládat.", kDialogLabel, 0, Sizing::kFitText},
    {TForm_Input::Label_Parent,    L"STATIC",  kNoParent, 8,    24,  64,   12, "Label_Parent", kDialogLabel | SS_PATHELLIPSIS, 0, Sizing::kFitText},
    {TForm_Input::Button1,         L"BUTTON",  kNoParent, 224,  72,  75,   25, "OK", kDialogButton | BS_DEFPUSHBUTTON},
    {TForm_Input::Button2,         L"BUTTON",  kNoParent, 312,  72,  75,   25, "Storno", kDialogButton | BS_PUSHBUTTON},
    {TForm_Input::Edit_NewFolder,  L"EDIT",    kNoParent, 8,    40,  377,  20, "DH-Obrazky", kDialogEdit},
};
// clang-format on

constexpr DialogTable kTable{"Vytvořit nový adresář", 393, 102, kControls};

}  // namespace

const DialogTable& TForm_Input::Table() const {
    return kTable;
}

void TForm_Input::Fill() {
    if (parentCaption_) win::SetWindowTextUtf8(Control(Label_Parent), *parentCaption_);
    if (editText_) win::SetWindowTextUtf8(Control(Edit_NewFolder), *editText_);
}

void TForm_Input::ReadBack() {
    editText_ = win::WindowText(Control(Edit_NewFolder));
}

}  // namespace dhsu
