#pragma once
// The main window: the shot folder, the options, and the state every capture works on.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "jpeg/jpeg_conversion_win.h"
#include "settings/settings.h"
#include "shot/capture_buffer_win.h"
#include "shot/clipboard_capture_win.h"
#include "shot/shot_recorder.h"
#include "shot/shot_system_win.h"
#include "shot/window_capture_win.h"
#include "ui/base_window_win.h"
#include "ui/button_clicks_win.h"
#include "ui/error_box_win.h"
#include "ui/folder_browser_win.h"
#include "ui/main_window_controls_win.h"
#include "ui/quality_spinner_win.h"
#include "ui/shutter_hotkey_win.h"
#include "win/handles_win.h"

namespace dhsu {

class TForm1 : public BaseWindow<TForm1> {
  public:
    explicit TForm1(HINSTANCE instance);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Creates the window (running FormCreate) and shows it; false when FormCreate failed, its
    // error shown and the window gone.
    bool Create(int showCommand);
    HFONT Font() const { return font_ ? static_cast<HFONT>(font_->Get()) : nullptr; }

  private:
    friend class BaseWindow<TForm1>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(int id, int code);
    LRESULT HandleColour(HWND control, HDC dc);

    void FormCreate();
    void Destroy();
    void FormShow();
    void CheckBox_JPEGClick();
    void FormClose();
    void FormEndSession();
    void FormDestroy();
    void ApplicationActivated();
    void ShowDirectoryMenu(HWND control, LPARAM screenPoint);
    // The shots (Unit1_shots.cpp).
    void ShutterKeyPressed();
    void ClipboardChanged(WPARAM wParam, LPARAM lParam);
    void CaptureClipboardChanges();
    void RecordShot();
    void UpdateEncodingCaption();
    void ListBox_BMPFilesClick();
    // The dialogs.
    void POPUP_NEWFOLDERClick();
    void Button_FileNameClick();
    void Button_OptionClick();

    void BuildControls();
    void LayOut(UINT dpi);
    void DpiChanged(WPARAM reportedDpi);
    void ApplySettings(const Settings& settings);
    Settings CurrentSettings() const;
    void ShowFolder(const std::string& folder);
    std::string Directory() const;  // the one FileListBox1 shows, where the shots go
    std::int16_t JpegQuality() const;
    HWND Control(ControlId id) const { return GetDlgItem(handle_, id); }
    bool IsChecked(ControlId id) const;
    void SetChecked(ControlId id, bool checked);

    HINSTANCE instance_;
    std::shared_ptr<const win::GdiObject> font_;  // shared with the open dialog
    win::GdiObject noticeBrush_;
    win::Menu PopupMenu1;
    ButtonClicks buttonClicks_;
    UINT dpi_ = 96;
    bool closing_ = false;
    bool sessionEnded_ = false;
    SingleErrorBox shotErrorBox_;
    // Creation and destruction count only when they are our own: any program can post their
    // messages.
    enum class Stage { kNew, kCreating, kRunning, kDestroying };
    Stage stage_ = Stage::kNew;

    // State the captures work on.
    ClipboardViewer clipboardViewer_;
    DWORD recordedClipboardSequence_ = 0;  // the clipboard change whose picture was recorded last
    bool clipboardChanged_ = false;        // a change not yet looked at
    bool shotInProgress_ = false;          // Image1 is being filled and saved
    // The options the window keeps itself; the folder, the quality and the check boxes are read
    // from their controls.
    Settings settings_;
    ShutterHotkey shutterHotkey_;

    QualitySpinner quality_;
    FolderBrowser folders_;
    CaptureBuffer Image1;
    WindowCapture windowCapture_;
    JpegConversion conversion_;
    WinShotSystem shotSystem_;
    ShotRecorder recorder_{shotSystem_};
};

}  // namespace dhsu
