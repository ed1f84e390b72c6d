#include "app/PrintCommands.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <algorithm>

namespace volmograph::shell {

std::optional<ReportPages> PrepareReport(CKeloView&) {
  // PRINT-HOOK: connect the report renderer here once it is merged.
  return std::nullopt;
}

PrintCommands::PrintCommands(QWidget& owner)
    : m_owner(owner), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  // The report is drawn edge to edge of the printable area in twips.
  m_printer->setFullPage(false);
}

PrintCommands::~PrintCommands() = default;

bool PrintCommands::HaveReport(const std::optional<ReportPages>& report) {
  if (report) {
    return true;
  }
  QMessageBox::warning(&m_owner, QStringLiteral("Volmograph"),
                       QStringLiteral("Printing is not available in this build."));
  return false;
}

void PrintCommands::Print(CKeloView& view) {
  const std::optional<ReportPages> report = PrepareReport(view);
  if (!HaveReport(report)) {
    return;
  }
  QPrintDialog dialog(m_printer.get(), &m_owner);
  dialog.setMinMax(1, report->pageCount);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, report->pageCount > 1);
  if (dialog.exec() != QDialog::Accepted) {
    return;  // cancelled: nothing is printed
  }
  int from = 1;
  int to = report->pageCount;
  if (m_printer->printRange() == QPrinter::PageRange) {
    from = std::max(1, m_printer->fromPage());
    to = std::min(report->pageCount, m_printer->toPage());
  }
  if (!PrintPages(*report, *m_printer, from, to)) {
    QMessageBox::warning(&m_owner, QStringLiteral("Volmograph"),
                         QStringLiteral("The printer could not be opened."));
  }
}

void PrintCommands::PrintPreview(CKeloView& view) {
  const std::optional<ReportPages> report = PrepareReport(view);
  if (!HaveReport(report)) {
    return;
  }
  QPrintPreviewDialog dialog(m_printer.get(), &m_owner);
  QObject::connect(
      &dialog, &QPrintPreviewDialog::paintRequested, &dialog,
      [&report](QPrinter* printer) { PrintPages(*report, *printer, 1, report->pageCount); });
  dialog.exec();
}

void PrintCommands::PrintSetup() {
  QPageSetupDialog dialog(m_printer.get(), &m_owner);
  dialog.exec();
}

bool PrintPages(const ReportPages& report, QPrinter& printer, int from, int to) {
  if (from > to) {
    return true;  // an empty range prints nothing, as asked
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    return false;
  }
  for (int page = from; page <= to; ++page) {
    if (page > from) {
      printer.newPage();
    }
    painter.save();
    report.drawPage(painter, printer, page);
    painter.restore();
  }
  return painter.end();
}

}  // namespace volmograph::shell
