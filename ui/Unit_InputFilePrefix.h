#pragma once
// The file name dialog: the prefix of new shots and the kind of suffix they get.

#include <optional>
#include <string>
#include <utility>

#include "shot/suffix_mode.h"
#include "ui/dialog_form_win.h"

namespace dhsu {

class TForm_InputFilePrefix : public DialogForm {
  public:
    // The radio group's items follow the group box; item i is RadioGroup1 + 1 + i.
    enum ControlId : int {
        Button1 = IDOK,
        Button2 = IDCANCEL,
        Label1 = 100,
        Edit_NewFolder,
        RadioGroup1 = 110,
    };
    static constexpr int RadioGroup1Item(int index) { return RadioGroup1 + 1 + index; }

    explicit TForm_InputFilePrefix(const DialogOwner& owner) : DialogForm(owner) {}

    // Before ShowModal: the prefix and the mode to show.
    void SetFilePrefix(std::string prefix) { prefix_ = std::move(prefix); }
    // Item 0 is the time stamp, item 1 the number; a mode neither names checks no item.
    void SetSuffixMode(SuffixMode mode) { suffixMode_ = mode; }
    // After ShowModal returned kModalOk: the prefix as typed and the mode chosen.
    std::string FilePrefix() const { return prefix_.value_or(""); }
    SuffixMode ChosenSuffixMode() const { return suffixMode_; }

  protected:
    const DialogTable& Table() const override;
    void Fill() override;
    bool AcceptOk() override;
    void ReadBack() override;

  private:
    std::optional<std::string> prefix_;
    SuffixMode suffixMode_ = SuffixMode::kTimestamp;
};

}  // namespace dhsu
