#include "ui/Unit_OptionDialog.h"

#include "ui/key_table.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

using Form = TForm_KeyAssign;

constexpr DWORD kMemo = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_READONLY;
constexpr DWORD kDropDownList = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

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
constexpr ControlRow kControls[] = {
    // id                  class         parent     left  top  w     h    text, style, item height, sizing
    {Form::OKBtn,          L"BUTTON",    kNoParent, 300,  8,   75,   25,  "OK", kDialogButton | BS_DEFPUSHBUTTON},
    {Form::CancelBtn,      L"BUTTON",    kNoParent, 300,  38,  75,   25,  "Storno", kDialogButton | BS_PUSHBUTTON},
    {Form::Memo1,          L"EDIT",      kNoParent, 8,    88,  369,  97,  kMemoText, kMemo},
    {Form::ComboBox_Keys,  L"COMBOBOX",  kNoParent, 136,  32,  145,  240, "", kDropDownList, 12},
    {Form::Label1,         L"STATIC",    kNoParent, 16,   16,  180,  12,  "Vyberte si klávesu pro ukládání obrázků.", kDialogLabel, 0, Sizing::kFitText},
    {Form::Label2,         L"STATIC",    kNoParent, 32,   56,  237,  12,  "Některé klávesy najdete pouze v Windows 95J", kDialogLabel, 0, Sizing::kFitText},
    {Form::Bevel1,         L"STATIC",    kNoParent, 8,    8,   281,  73,  "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME},
};
// clang-format on

constexpr DialogTable kTable{"Nastavení klávesy", 384, 192, kControls};

}  // namespace

const DialogTable& TForm_KeyAssign::Table() const {
    return kTable;
}

void TForm_KeyAssign::Fill() {
    const HWND keys = Control(ComboBox_Keys);
    for (const KeyRow& row : KeyTable())
        SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(row.name).c_str()));
    SendMessageW(keys, CB_SETCURSEL, RowOfKey(key_), 0);
}

// With no row chosen (the list always has one) the key stays as it was.
void TForm_KeyAssign::ReadBack() {
    const LRESULT row = SendMessageW(Control(ComboBox_Keys), CB_GETCURSEL, 0, 0);
    if (row != CB_ERR) key_ = KeyOfRow(static_cast<int>(row));
}

}  // namespace dhsu
