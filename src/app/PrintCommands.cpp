#include "app/PrintCommands.h"

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <string>

#include "platform/PrintInfo.h"
#include "qt/PrintPages.h"
#include "qt/ViewWidget.h"

namespace volmograph::shell {

PrintCommands::PrintCommands(QWidget& owner) : m_owner(owner) {}

PrintCommands::~PrintCommands() = default;

void PrintCommands::Report(const QString& message) {
  QMessageBox::warning(&m_owner, QStringLiteral("Volmograph"), message);
}

void PrintCommands::Print(ViewWidget& view) {
  PrintInfo info;
  if (!view.View().OnPreparePrinting(info)) {
    return;  // cancelled in the print dialog: nothing is printed
  }
  QPrinter& printer = view.Printer();
  QPainter painter;
  if (!painter.begin(&printer)) {
    Report(QStringLiteral("The printer could not be started."));
    return;
  }
  std::string error;
  const bool printed = PrintPages(view.View(), painter, printer, info, error);
  if (!painter.end() && printed) {
    error = "The printer did not finish the job";
  }
  if (!error.empty()) {
    Report(QString::fromStdString(error));
  }
}

void PrintCommands::PrintPreview(ViewWidget& view) {
  PrintInfo info;
  info.preview = true;
  if (!view.View().OnPreparePrinting(info)) {
    return;
  }
  QPrintPreviewDialog dialog(&view.Printer(), &m_owner);
  dialog.resize(700, 800);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&view, &info](QPrinter* printer) {
                     QPainter painter(printer);
                     std::string error;
                     PrintPages(view.View(), painter, *printer, info, error);
                   });
  dialog.exec();
}

void PrintCommands::PrintSetup(ViewWidget* view) {
  if (view == nullptr && !m_printer) {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  }
  QPageSetupDialog dialog(view != nullptr ? &view->Printer() : m_printer.get(), &m_owner);
  dialog.exec();
}

}  // namespace volmograph::shell
