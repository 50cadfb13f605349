#pragma once
// A list box's items as a StringList: the conversion queue lives in two hidden list boxes.

#include <windows.h>

#include "jpeg/conversion_queue.h"

namespace dhsu {

class ListBoxStrings : public StringList {
  public:
    void Attach(HWND listBox) { listBox_ = listBox; }
    std::size_t Count() const override;
    std::string First() const override;
    void Append(const std::string& text) override;
    void RemoveFirst() override;

  private:
    HWND listBox_ = nullptr;
};

}  // namespace dhsu
