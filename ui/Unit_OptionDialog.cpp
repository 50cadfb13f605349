#include "ui/Unit_OptionDialog.h"

#include "ui/key_table.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

using Form = TForm_KeyAssign;

constexpr DWORD kMemo = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_READONLY;
constexpr DWORD kDropDownList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr int kKeysItemHeight = 12;

constexpr const char* kMemoText =
    "*Info o klávesách.\r\n"
    "Program neustále kontroluje schránku. \r\n"
    "\r\n"
    "[PrintScreen] -> uloží celou obrazovku.\r\n"
    "[Alt + PrintScreen] -> uloží aktivní okno.\r\n"
    "(obrázky vždy obsahují záhlaví okna)\r\n"
    "\r\n";

// In tab order; the frame comes last so it lies beneath the controls it surrounds. The list's
// height includes its dropped-down part.
// clang-format off
constexpr DialogControl kControls[] = {
    // id                  class         left  top  w     h   text, style
    {Form::OKBtn,          L"BUTTON",    300,  8,   75,   25, "OK", kDialogButton | BS_DEFPUSHBUTTON},
    {Form::CancelBtn,      L"BUTTON",    300,  38,  75,   25, "Storno", kDialogButton | BS_PUSHBUTTON},
    {Form::Memo1,          L"EDIT",      8,    88,  369,  97, kMemoText, kMemo},
    {Form::ComboBox_Keys,  L"COMBOBOX",  136,  32,  145,  240, "", kDropDownList},
    {Form::Label1,         L"STATIC",    16,   16,  180,  12, "Vyberte si klávesu pro ukládání obrázků.", kDialogLabel, Sizing::kFitText},
    {Form::Label2,         L"STATIC",    32,   56,  237,  12, "Některé klávesy najdete pouze v Windows 95J", kDialogLabel, Sizing::kFitText},
    {Form::Bevel1,         L"STATIC",    8,    8,   281,  73, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME},
};
// clang-format on

constexpr DialogDesign kDesign{"Nastavení klávesy", 384, 192, kControls};

}  // namespace

const DialogDesign& TForm_KeyAssign::Design() const {
    return kDesign;
}

void TForm_KeyAssign::FormCreate() {
    DialogForm::FormCreate();
    const HWND keys = Control(ComboBox_Keys);
    for (const KeyRow& row : KeyTable())
        SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(row.name).c_str()));
    // Straight to the list part, after the font: a drop-down list passes item heights on to it
    // only when it draws its items itself.
    COMBOBOXINFO parts{sizeof parts};
    if (GetComboBoxInfo(keys, &parts))
        SendMessageW(parts.hwndList, LB_SETITEMHEIGHT, 0, Scale(kKeysItemHeight));
}

void TForm_KeyAssign::FormShow() {
    SendMessageW(Control(ComboBox_Keys), CB_SETCURSEL, RowOfKey(key_), 0);
}

void TForm_KeyAssign::HandleCommand(int id, int code) {
    if (id == OKBtn && code == BN_CLICKED) OKBtnClick();
}

// With no row chosen (the list always has one) the key stays as it was.
void TForm_KeyAssign::OKBtnClick() {
    const LRESULT row = SendMessageW(Control(ComboBox_Keys), CB_GETCURSEL, 0, 0);
    if (row != CB_ERR) key_ = KeyOfRow(static_cast<int>(row));
}

}  // namespace dhsu
