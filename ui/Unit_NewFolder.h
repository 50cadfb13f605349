#pragma once
// The new-folder dialog: asks for the name of a sub-folder to make for the shots.

#include <optional>
#include <string>
#include <utility>

#include "ui/dialog_form_win.h"

namespace dhsu {

class TForm_Input : public DialogForm {
  public:
    enum ControlId : int {
        Button1 = IDOK,
        Button2 = IDCANCEL,
        Label1 = 100,
        Label_Parent,
        Edit_NewFolder,
    };

    explicit TForm_Input(const DialogOwner& owner) : DialogForm(owner) {}

    // Before ShowModal: texts in place of the table's.
    void SetLabelParentCaption(std::string caption) { parentCaption_ = std::move(caption); }
    void SetEditNewFolderText(std::string text) { editText_ = std::move(text); }
    // After ShowModal returned kModalOk: the text as typed.
    std::string EditNewFolderText() const { return editText_.value_or(""); }

  protected:
    const DialogTable& Table() const override;
    void Fill() override;
    void ReadBack() override;

  private:
    std::optional<std::string> parentCaption_;
    std::optional<std::string> editText_;
};

}  // namespace dhsu
