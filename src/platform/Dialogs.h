#pragma once

namespace volmograph {

class CCommPortDlg;
class CStartEndDlg;

// Modal dialogs. Their logic lives in the core (view/); an implementation only shows them
// and feeds the user's clicks and texts into that logic.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Runs the COMM PORT SET dialog; true when it ends with OK.
  virtual bool RunCommPort(CCommPortDlg& dialog) = 0;
  // Runs the START/END dialog; true when it ends with OK (both fields passed validation).
  virtual bool RunStartEnd(CStartEndDlg& dialog) = 0;
};

}  // namespace volmograph
