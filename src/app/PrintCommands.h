#pragma once

// Print, Print Preview and Print Setup. The view prepares the job (its page count, and
// the print dialog through its dialogs); the pages are then drawn by the view onto the
// printer that dialog set up, or into Qt's preview. Print Setup edits the same printer.

#include <QPrinter>
#include <memory>

class QWidget;

namespace volmograph {
class ViewWidget;
}

namespace volmograph::shell {

class PrintCommands {
 public:
  explicit PrintCommands(QWidget& owner);
  ~PrintCommands();

  void Print(ViewWidget& view);
  void PrintPreview(ViewWidget& view);
  // The page set-up of the view's printer, or, with no view, of the program's own.
  void PrintSetup(ViewWidget* view);

 private:
  void Report(const QString& message);

  QWidget& m_owner;
  std::unique_ptr<QPrinter> m_printer;  // used only while no view exists
};

}  // namespace volmograph::shell
