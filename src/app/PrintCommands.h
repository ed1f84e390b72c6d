#pragma once

// Print, Print Preview and Print Setup through Qt's print, preview and page-setup dialogs,
// on one printer setup that the whole program shares, as the framework keeps one.

#include <QPrinter>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QWidget;

namespace volmograph {
class CKeloView;
}

namespace volmograph::shell {

// A report ready to be printed: how many pages it has, and how to draw page n (from 1)
// with a painter on the printer.
struct ReportPages {
  int pageCount = 1;
  std::function<void(QPainter& painter, QPrinter& printer, int page)> drawPage;
};

// The page renderer for the view's report. PRINT-HOOK: the renderer (the Canvas on a
// printer page and the view's OnPreparePrinting/OnPrint) is being built on its own branch;
// until it is connected here this returns nothing and Print and Print Preview say so.
std::optional<ReportPages> PrepareReport(CKeloView& view);

class PrintCommands {
 public:
  explicit PrintCommands(QWidget& owner);
  ~PrintCommands();

  void Print(CKeloView& view);
  void PrintPreview(CKeloView& view);
  void PrintSetup();

  QPrinter& Printer() { return *m_printer; }

 private:
  bool HaveReport(const std::optional<ReportPages>& report);

  QWidget& m_owner;
  std::unique_ptr<QPrinter> m_printer;
};

// Draws pages `from`..`to` of `report` on `printer`, one sheet each; false when the
// printer could not be opened or finished.
bool PrintPages(const ReportPages& report, QPrinter& printer, int from, int to);

}  // namespace volmograph::shell
