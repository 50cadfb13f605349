#pragma once
// The file name dialog: the prefix of new shots and the kind of suffix they get.

#include "ui/Unit_NewFolder.h"

namespace dhsu {

class TForm_InputFilePrefix : public TForm_Input {
  public:
    // The radio group's items follow the group box; item i is RadioGroup1 + 1 + i.
    enum : int { RadioGroup1 = 110 };
    static constexpr int RadioGroup1Item(int index) { return RadioGroup1 + 1 + index; }

    explicit TForm_InputFilePrefix(const DialogOwner& owner);

    // The index of the chosen radio item is the suffix mode: 0 time stamp, 1 numbered.
    void SetRadioGroup1ItemIndex(int index) { itemIndex_ = index; }
    int RadioGroup1ItemIndex() const { return itemIndex_; }

  protected:
    const DialogTable& Table() const override;
    void Fill() override;
    bool AcceptOk() override;
    void ReadBack() override;

  private:
    int itemIndex_ = 0;
};

}  // namespace dhsu
