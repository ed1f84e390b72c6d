#pragma once

// The dialogs on the desktop: COMM PORT SET (template 111) and START/END (template 107),
// built from their templates and driven by the core's dialog logic, the open and save file
// dialogs, and the print dialog.

#include <functional>
#include <memory>

#include "platform/Dialogs.h"
#include "qt/FileDialogs.h"

class QPrinter;
class QWidget;

namespace volmograph {

class Prompter;

class QtDialogs : public Dialogs {
 public:
  // Validation messages go to `prompter`; dialogs belong to `owner` (which may be null).
  QtDialogs(Prompter& prompter, QWidget* owner = nullptr);
  ~QtDialogs() override;

  void SetOwner(QWidget* owner) { m_owner = owner; }
  // Called as the Open dialog closes: the view it uncovered repaints, and that repaint is
  // what draws the file just loaded. Other dialogs change no picture; a repaint after
  // START/END would even reset the graph window the user just chose for printing.
  void SetRepaintAfterOpen(std::function<void()> repaint) {
    m_repaintAfterOpen = std::move(repaint);
  }
  // What a file dialog's Help button shows.
  void SetFileDialogHelp(FileDialogHelp help) { m_fileHelp = std::move(help); }
  bool RunCommPort(CommPortLogic& dialog) override;
  bool RunStartEnd(StartEndLogic& dialog) override;
  std::optional<FileDialogAnswer> RunOpenFile(const FileDialogRequest& request) override;
  std::optional<FileDialogAnswer> RunSaveFile(const FileDialogRequest& request) override;
  // The print dialog chooses the printer and the pages; preview needs no dialog.
  bool PreparePrinting(PrintInfo& info) override;

  // The printer the print dialog sets up, for the job to print on afterwards; made when
  // first asked for.
  QPrinter& Printer();

 private:
  Prompter& m_prompter;
  QWidget* m_owner;
  FileDialogHelp m_fileHelp;
  std::function<void()> m_repaintAfterOpen;
  std::unique_ptr<QPrinter> m_printer;
};

}  // namespace volmograph
