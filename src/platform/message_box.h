#pragma once
// Modal message boxes drawn in the game window, with the old button, icon and result codes.

#include <string>

namespace qm {

class Form;

enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton2 = 256,
};

enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

inline constexpr const char* AppTitle = "Quillmoor";

// Shows the box and runs its own event loop until it is answered (a click on a button,
// Enter for the default button, Esc for OK, No or Cancel). Traced as `msgbox` when it closes.
int MsgBox(Form& form, const std::string& prompt, int style = vbOKOnly,
           const std::string& title = AppTitle);

}  // namespace qm
