#pragma once
// What the control probe, running inside dhsu, reports about one window: a GDI font handle
// means nothing outside the process that made it, so the font and the text's size on screen
// are read there.

#include <windows.h>

namespace e2e {

struct ControlFacts {
    int id;  // the dialog control id; 0 for the window the probe was asked about
    wchar_t className[32];
    wchar_t text[256];  // a drop-down list's widest item
    DWORD style;
    BOOL hasFont;  // it answers WM_GETFONT
    LOGFONTW font;
    SIZE client;
    int textWidth;   // of its widest line, in its own font
    int lineHeight;  // of its font
    int lines;       // an edit's lines as it wraps them, up to the last with text; else the text's
};

// The probe's hook; dhsu's thread calls it for every message it takes from its queue.
constexpr char kProbeHookName[] = "ControlProbeHook";
// Posted to a window of dhsu's with the window to report to in wParam.
constexpr wchar_t kProbeMessageName[] = L"DhsuE2eControlProbe";
// WM_COPYDATA's dwData: one ControlFacts, or the end of the report.
constexpr ULONG_PTR kFactsRecord = 1, kFactsEnd = 2;

}  // namespace e2e
