#include "control_probe.h"

#include <memory>

#include "dhsu_process.h"

namespace e2e {
namespace {

struct Reply {
    std::vector<ControlFacts> facts;
    bool done = false;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* reply = reinterpret_cast<Reply*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_COPYDATA || !reply) return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData == kFactsRecord && data->cbData == sizeof(ControlFacts))
        reply->facts.push_back(*static_cast<const ControlFacts*>(data->lpData));
    else if (data->dwData == kFactsEnd)
        reply->done = true;
    return TRUE;
}

struct HookDeleter {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

}  // namespace

std::vector<ControlFacts> ProbeControls(HWND window) {
    static const HMODULE probe = LoadLibraryW((TestDirectory() / "control_probe.dll").c_str());
    const auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(probe, kProbeHookName)));
    if (!hookProc) return {};
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const std::unique_ptr<HHOOK__, HookDeleter> hook(
        SetWindowsHookExW(WH_GETMESSAGE, hookProc, probe, thread));
    if (!hook) return {};

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DhsuE2eProbeReply";
    RegisterClassW(&windowClass);
    const HWND replyTo = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                         HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    Reply reply;
    SetWindowLongPtrW(replyTo, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
    PostMessageW(window, RegisterWindowMessageW(kProbeMessageName),
                 reinterpret_cast<WPARAM>(replyTo), 0);
    WaitFor([&] { return reply.done; });
    DestroyWindow(replyTo);
    return reply.done ? reply.facts : std::vector<ControlFacts>{};
}

const ControlFacts* FindControl(const std::vector<ControlFacts>& facts, int id) {
    for (const ControlFacts& f : facts)
        if (f.id == id && id != 0) return &f;
    return nullptr;
}

}  // namespace e2e
