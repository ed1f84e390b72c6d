#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/PrintInfo.h"

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

// One entry of a file dialog's filter list: {"Volmograph Files (*.mtr)", "*.mtr"}.
struct FileFilter {
  std::string description;
  std::string pattern;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// What an open or save file dialog is given.
struct FileDialogRequest {
  std::vector<FileFilter> filters;
  std::string defaultExtension;  // appended after a dot to a typed name that has none
  std::string proposedPath;      // the path last chosen in this same dialog; empty at first
  bool createPrompt = false;     // a file that does not exist is accepted once the user agrees
  bool overwritePrompt = false;  // an existing file is chosen only once the user agrees
  bool showHelp = false;         // the dialog has a Help button
  friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

// The file the user chose: its full path and its bare name (the file title).
struct FileDialogAnswer {
  std::string path;
  std::string title;
  friend bool operator==(const FileDialogAnswer&, const FileDialogAnswer&) = default;
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
  // Run the open and the save file dialog; nullopt when the user cancels.
  virtual std::optional<FileDialogAnswer> RunOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<FileDialogAnswer> RunSaveFile(const FileDialogRequest& request) = 0;
  // The print flow's preparation: shows the print dialog for pages 1..info.maxPage, where
  // the user may narrow the range, unless info.preview (no dialog then). False when the
  // user cancels, and nothing is printed.
  virtual bool PreparePrinting(PrintInfo& info) = 0;
};

}  // namespace volmograph
