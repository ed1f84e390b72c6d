#pragma once

#include <string>

namespace volmograph {

class Prompter;

// The logic of the COMM PORT SET dialog, as a dialog implementation drives it.
class CommPortLogic {
 public:
  virtual ~CommPortLogic() = default;
  // The radio button to check on opening, or 0 for none.
  virtual int OnInitDialog() const = 0;
  virtual void OnRadioClicked(int radioId) = 0;
};

// The logic of the START/END dialog, as a dialog implementation drives it.
class StartEndLogic {
 public:
  virtual ~StartEndLogic() = default;
  virtual std::string StartText() const = 0;
  virtual std::string EndText() const = 0;
  // OK pressed with these texts; false keeps the dialog open, with the refused edit's id.
  virtual bool OnOK(const std::string& startText, const std::string& endText, Prompter& prompter,
                    int& refusedFieldId) = 0;
};

// Modal dialogs. Their logic lives in the core (view/); an implementation only shows them
// and feeds the user's clicks and texts into that logic.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Runs the COMM PORT SET dialog; true when it ends with OK.
  virtual bool RunCommPort(CommPortLogic& dialog) = 0;
  // Runs the START/END dialog; true when it ends with OK (both fields passed validation).
  virtual bool RunStartEnd(StartEndLogic& dialog) = 0;
};

}  // namespace volmograph
