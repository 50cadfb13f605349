#include "ui/shutter_hotkey_win.h"

namespace dhsu {
namespace {

// Often enough that a freed key works by the time the player tries it again, rarely enough to
// cost nothing.
constexpr UINT kRetryIntervalMs = 2000;

}  // namespace

void ShutterHotkey::Register(HWND window, UINT key) {
    Release();
    window_ = window;
    key_ = key;
    if (RegisterHotKey(window_, kHotkeyId, 0, key_)) return;
    // Started before the box: the key may come free while the box waits for the player.
    retrying_ = SetTimer(window_, kRetryTimerId, kRetryIntervalMs, nullptr) != 0;
    MessageBoxW(window_, L"Filed to regist hot key", L"Error", MB_OK);
}

// Any program can post the timer's message: only a key still waiting is tried.
void ShutterHotkey::Retry() {
    if (retrying_ && RegisterHotKey(window_, kHotkeyId, 0, key_)) StopRetrying();
}

void ShutterHotkey::Release() {
    StopRetrying();
    if (window_) UnregisterHotKey(window_, kHotkeyId);
}

void ShutterHotkey::StopRetrying() {
    if (retrying_) KillTimer(window_, kRetryTimerId);
    retrying_ = false;
}

}  // namespace dhsu
