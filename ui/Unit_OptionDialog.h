#pragma once
// The shutter key dialog: picks the shutter key from the key table.

#include <cstdint>

#include "ui/dialog_form_win.h"

namespace dhsu {

class TForm_KeyAssign : public DialogForm {
  public:
    enum ControlId : int {
        OKBtn = IDOK,
        CancelBtn = IDCANCEL,
        Bevel1 = 100,
        Label1,
        ComboBox_Keys,
        Label2,
        Memo1,
    };

    explicit TForm_KeyAssign(const DialogOwner& owner) : DialogForm(owner) {}

    // A virtual-key code: the list opens on its row (or on Esc); OK replaces it with the choice.
    void SetKey(std::int32_t key) { key_ = key; }
    std::int32_t Key() const { return key_; }

  protected:
    const DialogTable& Table() const override;
    void Fill() override;
    void ReadBack() override;

  private:
    std::int32_t key_ = 9;
};

}  // namespace dhsu
