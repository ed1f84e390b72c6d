#pragma once

// The dialogs on the desktop: COMM PORT SET (template 111) and START/END (template 107),
// built from their templates and driven by the core's dialog logic, and the open and save
// file dialogs.

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
  std::optional<FileDialogAnswer> RunOpenFile(const FileDialogRequest& request) override;
  std::optional<FileDialogAnswer> RunSaveFile(const FileDialogRequest& request) override;

 private:
  Prompter& m_prompter;
  QWidget* m_owner;
};

}  // namespace volmograph
