#include "qt/QtDialogs.h"

#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <algorithm>

#include "qt/ByteText.h"
#include "qt/FileDialogs.h"
#include "qt/TemplateDialog.h"
#include "view/CCommPortDlg.h"
#include "view/CStartEndDlg.h"
#include "view/DialogTemplates.h"

namespace volmograph {

QtDialogs::QtDialogs(Prompter& prompter, QWidget* owner) : m_prompter(prompter), m_owner(owner) {}

QtDialogs::~QtDialogs() = default;

bool QtDialogs::RunCommPort(CommPortLogic& logic) {
  TemplateDialog dialog(CommPortTemplate(), m_owner);
  if (auto* radio = qobject_cast<QRadioButton*>(dialog.Control(logic.OnInitDialog()))) {
    radio->setChecked(true);
  }
  for (int id = CCommPortDlg::kFirstRadio; id <= CCommPortDlg::kLastRadio; ++id) {
    if (auto* radio = qobject_cast<QRadioButton*>(dialog.Control(id))) {
      QObject::connect(radio, &QRadioButton::clicked, &dialog,
                       [&logic, id] { logic.OnRadioClicked(id); });
    }
  }
  return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::RunStartEnd(StartEndLogic& logic) {
  TemplateDialog dialog(StartEndTemplate(), m_owner);
  auto* start = qobject_cast<QLineEdit*>(dialog.Control(CStartEndDlg::kStartEdit));
  auto* end = qobject_cast<QLineEdit*>(dialog.Control(CStartEndDlg::kEndEdit));
  if (start == nullptr || end == nullptr) {
    return false;
  }
  start->setText(DecodeBytes(logic.StartText()));
  end->setText(DecodeBytes(logic.EndText()));
  start->selectAll();  // the first field opens ready to be typed over
  dialog.SetOkCheck([&] {
    int refused = 0;
    if (logic.OnOK(EncodeCp1252(start->text()), EncodeCp1252(end->text()), m_prompter, refused)) {
      return true;
    }
    // The refused field is selected for the user to type over.
    if (auto* field = qobject_cast<QLineEdit*>(dialog.Control(refused))) {
      field->setFocus();
      field->selectAll();
    }
    return false;
  });
  return dialog.exec() == QDialog::Accepted;
}

std::optional<FileDialogAnswer> QtDialogs::RunOpenFile(const FileDialogRequest& request) {
  std::optional<FileDialogAnswer> answer = RunOpenFileDialog(request, m_owner, m_fileHelp);
  if (m_repaintAfterOpen) {
    m_repaintAfterOpen();
  }
  return answer;
}

std::optional<FileDialogAnswer> QtDialogs::RunSaveFile(const FileDialogRequest& request) {
  return RunSaveFileDialog(request, m_owner, m_fileHelp);
}

bool QtDialogs::PreparePrinting(PrintInfo& info) {
  if (info.preview) {
    return true;
  }
  QPrintDialog dialog(&Printer(), m_owner);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, std::max(info.maxPage, 1));
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  const bool range = dialog.printRange() == QAbstractPrintDialog::PageRange;
  info.fromPage = range ? dialog.fromPage() : 0;
  info.toPage = range ? dialog.toPage() : 0;
  return true;
}

QPrinter& QtDialogs::Printer() {
  if (!m_printer) {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  }
  return *m_printer;
}

}  // namespace volmograph
