#include "qt/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/TextEncoding.h"
#include "qt/ByteText.h"
#include "qt/DialogColours.h"

namespace volmograph {

void QtPrompter::ShowMessage(const std::string& text, const std::string& detail) {
  ShowMessageLines(text, detail.empty() ? std::vector<std::string>{} : std::vector{detail});
}

void QtPrompter::ShowMessageLines(const std::string& text,
                                  const std::vector<std::string>& details) {
  QWidget* parent = QApplication::activeModalWidget();
  if (parent == nullptr) {
    parent = m_owner;
  }
  QString message = DecodeBytes(text);
  // Each line is the system's text on its own, its control characters made visible.
  for (const std::string& detail : details) {
    message += QLatin1Char('\n') + QString::fromStdString(SystemTextToUtf8(detail));
  }
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Volmograph"), message, QMessageBox::Ok,
                  parent);
  box.setTextFormat(Qt::PlainText);  // a device name is never markup
  ApplyDialogColours(box);
  box.exec();
}

}  // namespace volmograph
