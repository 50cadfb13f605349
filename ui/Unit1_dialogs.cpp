// The main window's handlers that run its dialogs.

#include "ui/Unit1.h"

namespace dhsu {

void TForm1::POPUP_NEWFOLDERClick() {}

void TForm1::Button_FileNameClick() {}

void TForm1::Button_OptionClick() {}

}  // namespace dhsu
