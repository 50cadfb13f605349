// The control probe's DLL, hooked into dhsu's UI thread by the tests only. Asked with a posted
// message, it reports the window and each of its controls to the asking window.

#include <windows.h>

#include <string>
#include <vector>

#include "control_facts.h"

namespace {

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::vector<std::wstring> LinesOf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

// A drop-down list's items, for the one that needs the most room.
std::vector<std::wstring> ItemsOf(HWND comboBox) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(
            static_cast<std::size_t>(SendMessageW(comboBox, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(
            SendMessageW(comboBox, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

// The lines an edit wraps its text into, as far as the last one that shows anything.
int LinesShown(HWND edit) {
    const std::wstring text = TextOf(edit);
    const auto last = text.find_last_not_of(L" \r\n");
    if (last == std::wstring::npos) return 0;
    return int(SendMessageW(edit, EM_LINEFROMCHAR, last, 0)) + 1;
}

e2e::ControlFacts FactsOf(HWND window, bool top) {
    e2e::ControlFacts facts{};
    facts.id = top ? 0 : GetDlgCtrlID(window);
    GetClassNameW(window, facts.className, int(std::size(facts.className)));
    facts.style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    RECT client{};
    GetClientRect(window, &client);
    facts.client = {client.right, client.bottom};

    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    facts.hasFont = font != nullptr && GetObjectW(font, sizeof facts.font, &facts.font) != 0;
    const bool comboBox = lstrcmpiW(facts.className, L"ComboBox") == 0;
    const std::vector<std::wstring> texts = comboBox ? ItemsOf(window) : LinesOf(TextOf(window));

    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    std::wstring widest;
    for (const std::wstring& text : texts) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
        if (extent.cx < facts.textWidth) continue;
        facts.textWidth = extent.cx;
        widest = text;
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    facts.lineHeight = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(window, dc);

    lstrcpynW(facts.text, widest.c_str(), int(std::size(facts.text)));
    const bool multiLineEdit =
        lstrcmpiW(facts.className, L"Edit") == 0 && (facts.style & ES_MULTILINE);
    facts.lines = multiLineEdit ? LinesShown(window) : int(comboBox ? 1 : texts.size());
    return facts;
}

void Send(HWND to, ULONG_PTR kind, const e2e::ControlFacts* facts) {
    COPYDATASTRUCT data{kind, facts ? DWORD(sizeof *facts) : 0,
                        const_cast<e2e::ControlFacts*>(facts)};
    SendMessageTimeoutW(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                        30000, nullptr);
}

void Report(HWND window, HWND to) {
    const e2e::ControlFacts top = FactsOf(window, true);
    Send(to, e2e::kFactsRecord, &top);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const e2e::ControlFacts facts = FactsOf(child, false);
        Send(to, e2e::kFactsRecord, &facts);
    }
    Send(to, e2e::kFactsEnd, nullptr);
}

}  // namespace

extern "C" LRESULT CALLBACK ControlProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT probe = RegisterWindowMessageW(e2e::kProbeMessageName);
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == probe) {
        message->message = WM_NULL;  // dhsu never sees it
        try {
            Report(message->hwnd, reinterpret_cast<HWND>(message->wParam));
        } catch (...) {  // no report: the test waits in vain and fails
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
