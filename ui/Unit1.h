#pragma once
// The main window: the shot folder and the options; it owns the shots and their conversion, and
// calls them as its events come.

#include <windows.h>

#include <cstdint>
#include <string>

#include "jpeg/jpeg_conversion_win.h"
#include "settings/settings.h"
#include "shot/shots_win.h"
#include "ui/base_window_win.h"
#include "ui/main_window_controls_win.h"
#include "ui/main_window_parts_win.h"
#include "ui/shutter_hotkey_win.h"

namespace dhsu {

class TForm1 : public BaseWindow<TForm1>, private ShotWindow {
  public:
    explicit TForm1(HINSTANCE instance);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Creates the window (running FormCreate) and shows it; false when FormCreate failed, its
    // error shown and the window gone.
    bool Create(int showCommand);

  private:
    friend class BaseWindow<TForm1>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(int id, int code);

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
    bool RefusesShots() override;
    bool CapturesClientArea() const override;
    ShotSettings ShotSettingsNow() const override;
    void SetFilePrefix(const std::string& prefix) override;
    void ShotWritten(const RecordedShot& shot) override;
    void ShowShotError(const std::string& message) override;
    void UpdateEncodingCaption();
    void ListBox_BMPFilesClick();
    // The dialogs.
    void POPUP_NEWFOLDERClick();
    void Button_FileNameClick();
    void Button_OptionClick();

    void BuildControls();
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
    MainWindowParts parts_;
    bool closing_ = false;
    bool sessionEnded_ = false;
    // Creation and destruction count only when they are our own: any program can post their
    // messages.
    enum class Stage { kNew, kCreating, kRunning, kDestroying };
    Stage stage_ = Stage::kNew;
    // The options the window keeps itself; the folder, the quality and the check boxes are read
    // from their controls.
    Settings settings_;
    ShutterHotkey shutterHotkey_;
    Shots shots_{*this};
    JpegConversion conversion_;
};

}  // namespace dhsu
