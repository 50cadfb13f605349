#include "jpeg/list_box_strings_win.h"

#include <vector>

#include "win/text_win.h"

namespace dhsu {

std::size_t ListBoxStrings::Count() const {
    const LRESULT count = SendMessageW(listBox_, LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::string ListBoxStrings::First() const {
    const LRESULT length = SendMessageW(listBox_, LB_GETTEXTLEN, 0, 0);
    if (length <= 0) return {};
    std::vector<wchar_t> text(length + 1);
    SendMessageW(listBox_, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    return win::Utf8({text.data(), static_cast<std::size_t>(length)});
}

void ListBoxStrings::Append(const std::string& text) {
    SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(text).c_str()));
}

void ListBoxStrings::RemoveFirst() {
    SendMessageW(listBox_, LB_DELETESTRING, 0, 0);
}

}  // namespace dhsu
