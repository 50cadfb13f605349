#include "ui/main_window_controls_win.h"

#include <commctrl.h>

#include "dhsu_version.h"
#include "ui/captions.h"
#include "ui/resource.h"
#include "ui/window_dpi_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kHidden = WS_CHILD;
constexpr DWORD kTab = WS_TABSTOP;
constexpr DWORD kReadOnlyMemo = ES_MULTILINE | ES_READONLY;
constexpr DWORD kListBox = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;

constexpr const char* kMemoText =
    "Zmáčkněte vybranou klávesu pro uložení aktivního okna do JPG souboru. \r\n"
    "Zmáčkněte klávesu Print Screen pro uložení celé obrazovky.\r\n"
    "\r\n"
    "DH Screenshot Utility " DHSU_VERSION_SHORT
    "\r\n"
    "Tarnwick\r\n";

constexpr const char* kNoticeText =
    "Pokud hrajete Duskhold v módu přes celou obrazovku, \r\n"
    "obrázky můžete uložit pouze klávesou PrintScreen.";

// Group boxes are drawn frames, not containers: their controls are the window's own children,
// created right after the box so the tab order runs through them in the box's turn.
// clang-format off
constexpr ControlRow kControls[] = {
    // id                   class            parent           left top  w    h    text, style, item height
    {Image_Logo,          L"STATIC",        kNoParent,       8,   8,   153, 73,  "", kChild | SS_OWNERDRAW},
    {GroupBox_Folder,     L"BUTTON",        kNoParent,       168, 8,   273, 145, "Adresář s obrázky", kChild | BS_GROUPBOX},
    {FileListBox1,        L"LISTBOX",       GroupBox_Folder, 8,   16,  121, 97,  "", kChild | kTab | kListBox | LBS_SORT, 15},
    {DirectoryListBox1,   L"LISTBOX",       GroupBox_Folder, 136, 16,  129, 97,  "", kChild | kTab | kListBox, 16},
    {DriveComboBox1,      L"COMBOBOX",      GroupBox_Folder, 136, 120, 129, 200, "", kChild | kTab | CBS_DROPDOWNLIST | WS_VSCROLL},
    {Label_Count,         L"STATIC",        GroupBox_Folder, 8,   122, 48,  15,  "Obr.  : 0", kChild | SS_LEFTNOWORDWRAP},
    {GroupBox_Option,     L"BUTTON",        kNoParent,       168, 160, 273, 97,  "Nastavení", kChild | BS_GROUPBOX},
    {CheckBox_JPEG,       L"BUTTON",        GroupBox_Option, 8,   16,  129, 17,  "Jpeg komprese", kChild | kTab | BS_AUTOCHECKBOX},
    {CheckBox_ClientRect, L"BUTTON",        GroupBox_Option, 144, 16,  116, 17,  "Odst. záhlaví okna", kChild | kTab | BS_AUTOCHECKBOX},
    {Label3,              L"STATIC",        GroupBox_Option, 8,   45,  208, 15,  "Jpeg (kvalita: 5% nízká 100% vysoká)", kChild | SS_LEFTNOWORDWRAP},
    {Edit_Q,              L"EDIT",          GroupBox_Option, 216, 40,  33,  23,  "", kChild | kTab | WS_BORDER | ES_AUTOHSCROLL},
    {UpDown1,             UPDOWN_CLASSW,    GroupBox_Option, 249, 40,  15,  23,  "", kChild | kTab | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS},
    {Button_FileName,     L"BUTTON",        GroupBox_Option, 8,   64,  121, 25,  "Jméno souboru...", kChild | kTab | BS_PUSHBUTTON},
    {Button_Option,       L"BUTTON",        GroupBox_Option, 144, 64,  121, 25,  "Přiřadit klávesu...", kChild | kTab | BS_PUSHBUTTON},
    {Memo1,               L"EDIT",          kNoParent,       8,   88,  153, 169, kMemoText, kChild | kTab | kReadOnlyMemo},
    {ListBox_BMPFiles,    L"LISTBOX",       kNoParent,       176, 296, 57,  65,  "", kHidden | kTab | kListBox, 15},
    {ListBox_Q,           L"LISTBOX",       kNoParent,       240, 296, 49,  65,  "", kHidden | kTab | kListBox, 15},
    {Notice,              L"EDIT",          kNoParent,       8,   264, 433, 49,  kNoticeText, kChild | kTab | ES_MULTILINE | ES_READONLY},
};
// clang-format on

}  // namespace

std::span<const ControlRow> MainWindowControls() {
    return kControls;
}

void RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, UINT dpi, void* param) {
    const SIZE frame =
        FrameSize(kMainWindowStyle, 0, {Scale(kClientWidth, dpi), Scale(kClientHeight, dpi)}, dpi);
    return CreateWindowExW(0, className, win::Wide(kAppTitle).c_str(), kMainWindowStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr,
                           instance, param);
}

}  // namespace dhsu
