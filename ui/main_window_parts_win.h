#pragma once
// What the main window keeps for its controls beyond their table: the font and brush they are
// drawn with at the window's DPI, the directory list's pop-up menu, and the controls that keep
// state of their own.

#include <windows.h>

#include <memory>

#include "ui/button_clicks_win.h"
#include "ui/folder_browser_win.h"
#include "ui/quality_spinner_win.h"
#include "win/handles_win.h"

namespace dhsu {

struct MainWindowParts {
    // Makes the controls of the table in `window`, at `dpi` and in a font made for it, and
    // attaches the parts to them.
    void Build(HWND window);
    // Places the controls anew at `newDpi`, in a font made for it.
    void LayOut(HWND window, UINT newDpi);
    // WM_CTLCOLORSTATIC: the notice stands out.
    LRESULT Colour(HWND window, HWND control, HDC dc) const;
    HFONT Font() const { return font ? static_cast<HFONT>(font->Get()) : nullptr; }

    UINT dpi = 96;
    std::shared_ptr<const win::GdiObject> font;  // shared with the open dialog
    win::GdiObject noticeBrush;
    win::Menu PopupMenu1;
    ButtonClicks buttonClicks;
    QualitySpinner quality;
    FolderBrowser folders;
};

}  // namespace dhsu
