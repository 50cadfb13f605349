#pragma once
// The file name dialog: the prefix of new shots and the kind of suffix they get.

#include "shot/suffix_mode.h"
#include "ui/Unit_NewFolder.h"

namespace dhsu {

class TForm_InputFilePrefix : public TForm_Input {
  public:
    // The radio group's items follow the group box; item i is RadioGroup1 + 1 + i.
    enum : int { RadioGroup1 = 110 };
    static constexpr int RadioGroup1Item(int index) { return RadioGroup1 + 1 + index; }

    explicit TForm_InputFilePrefix(const DialogOwner& owner);

    // Item 0 is the time stamp, item 1 the number; a mode neither names checks no item.
    void SetSuffixMode(SuffixMode mode) { suffixMode_ = mode; }
    SuffixMode ChosenSuffixMode() const { return suffixMode_; }

  protected:
    const DialogTable& Table() const override;
    void Fill() override;
    bool AcceptOk() override;
    void ReadBack() override;

  private:
    SuffixMode suffixMode_ = SuffixMode::kTimestamp;
};

}  // namespace dhsu
