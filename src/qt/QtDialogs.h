#pragma once

// The settings dialogs on the desktop, built from their templates and driven by the core's
// dialog logic: COMM PORT SET (template 111) and START/END (template 107).

#include "platform/Dialogs.h"

class QWidget;

namespace volmograph {

class Prompter;

class QtDialogs : public Dialogs {
 public:
  // Validation messages go to `prompter`; dialogs belong to `owner` (which may be null).
  QtDialogs(Prompter& prompter, QWidget* owner = nullptr) : m_prompter(prompter), m_owner(owner) {}

  void SetOwner(QWidget* owner) { m_owner = owner; }
  bool RunCommPort(CommPortLogic& dialog) override;
  bool RunStartEnd(StartEndLogic& dialog) override;

 private:
  Prompter& m_prompter;
  QWidget* m_owner;
};

}  // namespace volmograph
