#include "qt/FileDialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "platform/FileDialogNames.h"

namespace volmograph {

namespace {

// "Volmograph Files (*.mtr)" with "*.mtr" as Qt reads a filter: its patterns in the
// parentheses, separated by blanks. "*.*" means every file, also one without a dot.
QString NameFilter(const FileFilter& filter) {
  QString label = QString::fromStdString(filter.description);
  const qsizetype open = label.lastIndexOf(QLatin1Char('('));
  if (open > 0 && label.endsWith(QLatin1Char(')'))) {
    label = label.left(open).trimmed();
  }
  QStringList patterns = QString::fromStdString(filter.pattern).split(QLatin1Char(';'));
  for (QString& pattern : patterns) {
    pattern = pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : pattern.trimmed();
  }
  return QStringLiteral("%1 (%2)").arg(label, patterns.join(QLatin1Char(' ')));
}

void AddHelpButton(QFileDialog& dialog, const FileDialogHelp& help) {
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  if (buttons == nullptr || !help) {
    return;
  }
  QPushButton* button = buttons->addButton(QDialogButtonBox::Help);
  QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, help] { help(&dialog); });
}

void Prepare(QFileDialog& dialog, QFileDialog::AcceptMode mode, const FileDialogRequest& request,
             const FileDialogHelp& help) {
  // The same dialog on every desktop, and one that tests can drive.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // First, as it sets the dialog's buttons anew.
  dialog.setAcceptMode(mode);
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    filters << NameFilter(filter);
  }
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (!request.proposedPath.empty()) {
    dialog.selectFile(QString::fromStdString(request.proposedPath));
  }
  if (request.showHelp) {
    AddHelpButton(dialog, help);
  }
}

FileDialogAnswer Answer(const QString& chosen) {
  const std::string path = chosen.toStdString();
  return FileDialogAnswer{path, FileTitle(path)};
}

bool AgreesToCreate(QWidget* parent, const QString& path) {
  const QString text = QStringLiteral("%1\nThis file does not exist.\nCreate the file?")
                           .arg(QFileInfo(path).fileName());
  return QMessageBox::question(parent, QStringLiteral("Open"), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

std::optional<FileDialogAnswer> RunOpenFileDialog(const FileDialogRequest& request, QWidget* owner,
                                                  const FileDialogHelp& help) {
  QFileDialog dialog(owner);
  Prepare(dialog, QFileDialog::AcceptOpen, request, help);
  dialog.setFileMode(request.createPrompt ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // A missing file the user does not want created takes them back to the dialog.
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString chosen = dialog.selectedFiles().first();
    if (QFileInfo::exists(chosen) || AgreesToCreate(&dialog, chosen)) {
      return Answer(chosen);
    }
  }
  return std::nullopt;
}

std::optional<FileDialogAnswer> RunSaveFileDialog(const FileDialogRequest& request, QWidget* owner,
                                                  const FileDialogHelp& help) {
  QFileDialog dialog(owner);
  Prepare(dialog, QFileDialog::AcceptSave, request, help);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return Answer(dialog.selectedFiles().first());
}

}  // namespace volmograph
