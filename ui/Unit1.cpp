#include "ui/Unit1.h"

#include <windowsx.h>

#include <stdexcept>

#include "settings/registry_key_store_win.h"
#include "shot/temporary_shot_file_win.h"
#include "ui/resource.h"
#include "ui/window_dpi_win.h"
#include "win/files_win.h"
#include "win/message_pump_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

constexpr wchar_t kWindowClass[] = L"TForm1";
constexpr DWORD kCloseWaitMs = 100;

}  // namespace

TForm1::TForm1(HINSTANCE instance) : instance_(instance) {
    RegisterMainWindowClass(instance, kWindowClass, WindowProc);
}

TForm1::~TForm1() {
    if (handle_) Destroy();
}

bool TForm1::Create(int showCommand) {
    parts_.dpi = ScreenDpi();
    if (!CreateMainWindow(instance_, kWindowClass, parts_.dpi, this)) {
        // The handle kept at WM_NCCREATE is gone; a failed FormCreate has shown its error.
        handle_ = nullptr;
        if (stage_ == Stage::kCreating) return false;
        throw std::runtime_error("Cannot create the main window.");
    }
    ShowWindow(handle_, showCommand);
    UpdateWindow(handle_);
    return true;
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The conversion worker's steps on the queue, run here on the UI thread.
    if (conversion_.HandleWorkerStep(message, wParam)) return 0;
    switch (message) {
        case WM_CREATE:
            if (stage_ != Stage::kNew) return 0;
            // A FormCreate that throws leaves the stage here, and the creation ends.
            stage_ = Stage::kCreating;
            FormCreate();
            stage_ = Stage::kRunning;
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) FormShow();
            break;
        case WM_TIMER:
            if (wParam == QualitySpinner::kTimer1Id) parts_.quality.Timer1Timer();
            if (wParam == ShutterHotkey::kRetryTimerId) shutterHotkey_.Retry();
            return 0;
        case WM_DRAWCLIPBOARD:
            shots_.ClipboardChanged(wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            shots_.RepairClipboardChain(wParam, lParam);
            return 0;
        case WM_HOTKEY:
            if (wParam == ShutterHotkey::kHotkeyId) shots_.ShutterKeyPressed();
            return 0;
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lParam) == parts_.quality.UpDown() &&
                LOWORD(wParam) == SB_THUMBPOSITION)
                parts_.quality.UpDown1Click();
            break;
        case WM_COMMAND:
            if (HandleCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
            break;
        case WM_ACTIVATEAPP:
            if (wParam)
                ApplicationActivated();
            else
                parts_.quality.Edit_QExit();
            break;
        case WM_CONTEXTMENU:
            ShowDirectoryMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            return parts_.Colour(handle_, reinterpret_cast<HWND>(lParam),
                                 reinterpret_cast<HDC>(wParam));
        case WM_DRAWITEM:
            DrawLogo(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), parts_.Font(), parts_.dpi);
            return TRUE;
        case WM_DPICHANGED:
            DpiChanged(wParam);
            return 0;
        case WM_GETFONT:  // the font its controls and the dialogs show
            return reinterpret_cast<LRESULT>(parts_.Font());
        case WM_CLOSE:
            // Already waiting for the queue to drain, or a neighbour's close while a failed
            // creation shows its error, before the worker exists.
            if (closing_ || stage_ != Stage::kRunning) return 0;
            // Settings that cannot be saved are reported, but never keep the program open.
            // After the end of the session they are saved and the worker is stopped already.
            if (!sessionEnded_) RunShowingErrors(handle_, [this] { FormClose(); });
            Destroy();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing here is worth holding up a shut-down for
        case WM_ENDSESSION:
            if (wParam && stage_ == Stage::kRunning && !sessionEnded_) FormEndSession();
            return 0;
        case WM_DESTROY:
            if (stage_ != Stage::kDestroying) return 0;
            FormDestroy();
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            if (stage_ != Stage::kDestroying) return 0;
            SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
            handle_ = nullptr;
            break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

bool TForm1::HandleCommand(int id, int code) {
    switch (id) {
        case CheckBox_JPEG:
            if (code == BN_CLICKED) CheckBox_JPEGClick();
            return true;
        case Edit_Q:
            if (code == EN_KILLFOCUS) parts_.quality.Edit_QExit();
            return true;
        case DirectoryListBox1:
            if (code == LBN_DBLCLK) parts_.folders.DirectoryOpened();
            return true;
        case DriveComboBox1:
            if (code == CBN_SELCHANGE) parts_.folders.DriveChosen();
            return true;
        case Button_FileName:
            if (code == BN_CLICKED && parts_.buttonClicks.Take(Control(Button_FileName)))
                Button_FileNameClick();
            return true;
        case Button_Option:
            if (code == BN_CLICKED && parts_.buttonClicks.Take(Control(Button_Option)))
                Button_OptionClick();
            return true;
    }
    return false;
}

void TForm1::ShowDirectoryMenu(HWND control, LPARAM screenPoint) {
    if (control != Control(DirectoryListBox1)) return;
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: under the list's top left corner
        at = {0, 0};
        ClientToScreen(control, &at);
    }
    // The chosen item comes back here rather than as a command that any program could post.
    const BOOL chosen =
        TrackPopupMenu(GetSubMenu(parts_.PopupMenu1.Get(), 0),
                       TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y,
                       0, handle_, nullptr);
    if (chosen == POPUP_NEWFOLDER) POPUP_NEWFOLDERClick();
}

void TForm1::FormCreate() {
    shots_.Attach(handle_);
    BuildControls();
    UpdateEncodingCaption();
    SendMessageW(
        handle_, WM_SETICON, ICON_BIG,
        reinterpret_cast<LPARAM>(LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON))));
    DiscardClipboardBitmap(handle_);
    conversion_.Start(handle_, [this] { ListBox_BMPFilesClick(); });
    ApplySettings(win::LoadStoredSettings());
    RemoveLeftoverShots(Directory());
    shots_.JoinClipboardViewers();
    shutterHotkey_.Register(handle_, static_cast<UINT>(settings_.shutterKey));
}

void TForm1::Destroy() {
    stage_ = Stage::kDestroying;
    DestroyWindow(handle_);
}

void TForm1::ApplySettings(const Settings& settings) {
    settings_ = settings;
    SetChecked(CheckBox_ClientRect, settings.clientAreaMode);
    SetChecked(CheckBox_JPEG, settings.jpegEnabled);
    CheckBox_JPEGClick();
    parts_.quality.Load(settings.jpegQuality);
    ShowFolder(settings.folder);
}

Settings TForm1::CurrentSettings() const {
    Settings settings = settings_;
    settings.folder = Directory();
    settings.jpegQuality = JpegQuality();
    settings.clientAreaMode = IsChecked(CheckBox_ClientRect);
    settings.jpegEnabled = IsChecked(CheckBox_JPEG);
    return settings;
}

// A stored folder that has gone (a removed drive, a deleted directory) must not leave the
// program half started: the shots then go to the program's own directory.
void TForm1::ShowFolder(const std::string& folder) {
    try {
        parts_.folders.SetDirectory(win::Wide(folder));
    } catch (const std::exception&) {
        parts_.folders.SetDirectory(win::Wide(win::ProgramDirectory()));
    }
}

void TForm1::FormShow() {
    parts_.quality.FormShow();
}

void TForm1::CheckBox_JPEGClick() {
    const bool enabled = IsChecked(CheckBox_JPEG);
    for (ControlId id : {Label3, Edit_Q, UpDown1}) EnableWindow(Control(id), enabled);
}

void TForm1::ApplicationActivated() {
    parts_.folders.RefreshFiles();
}

void TForm1::FormClose() {
    closing_ = true;
    // The worker's steps come as sent messages: between them the loop sleeps, not spins.
    conversion_.StopOnClose([this] { win::HandleMessagesThenWait(handle_, kCloseWaitMs); });
    win::SaveStoredSettings(CurrentSettings());
}

// Windows ends the process soon after this, without a close: what the close would save is saved
// now, and the files still queued stay BMPs rather than hold up the shut-down.
void TForm1::FormEndSession() {
    sessionEnded_ = true;
    conversion_.StopNow();
    RunShowingErrors(handle_, [this] { win::SaveStoredSettings(CurrentSettings()); });
    FormDestroy();
}

void TForm1::FormDestroy() {
    shots_.LeaveClipboardViewers();
    shutterHotkey_.Release();
}

std::string TForm1::Directory() const {
    return win::Utf8(parts_.folders.Directory());
}

std::int16_t TForm1::JpegQuality() const {
    return static_cast<std::int16_t>(parts_.quality.Position());
}

void TForm1::BuildControls() {
    parts_.Build(handle_);
    conversion_.Attach(Control(ListBox_BMPFiles), Control(ListBox_Q));
}

// The window keeps its centre, so it stays on the monitor that changed its DPI.
void TForm1::DpiChanged(WPARAM reportedDpi) {
    const UINT dpi = WindowDpi(handle_, reportedDpi);
    if (dpi == 0 || dpi == parts_.dpi) return;
    parts_.LayOut(handle_, dpi);
    const SIZE client{Scale(kClientWidth, dpi), Scale(kClientHeight, dpi)};
    const RECT frame = FrameAroundCentre(handle_, kMainWindowStyle, client, dpi);
    SetWindowPos(handle_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TForm1::IsChecked(ControlId id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm1::SetChecked(ControlId id, bool checked) {
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace dhsu
