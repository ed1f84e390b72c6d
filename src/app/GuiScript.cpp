#include "app/GuiScript.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "app/CMainFrame.h"

namespace volmograph::shell {

bool GuiScript::Load(const QString& path, QStringList& steps, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    error = file.errorString();
    return false;
  }
  // A script is a handful of lines; anything longer is not one.
  const QByteArray text = file.read(64 * 1024);
  steps = QString::fromUtf8(text).split(QLatin1Char('\n'));
  return true;
}

void GuiScript::Start() {
  QTimer::singleShot(0, &m_frame, [this] { RunNext(); });
}

void GuiScript::RunNext() {
  while (m_next < m_steps.size()) {
    const QString line = m_steps[m_next++].trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
      continue;
    }
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    const QString argument = line.section(QLatin1Char(' '), 1).trimmed();
    bool number = false;
    const int value = argument.toInt(&number);
    if (verb == QLatin1String("wait") && number && value >= 0) {
      QTimer::singleShot(value, &m_frame, [this] { RunNext(); });
      return;
    }
    if (verb == QLatin1String("command") && number) {
      // Queued, and the rest after it: a command that opens a dialog leaves the steps
      // running in the dialog's own event loop.
      QTimer::singleShot(0, &m_frame, [this, value] { m_frame.OnCommand(value); });
      QTimer::singleShot(0, &m_frame, [this] { RunNext(); });
      return;
    }
    if (verb == QLatin1String("shot") && !argument.isEmpty()) {
      if (!m_frame.grab().save(argument, "PNG")) {
        return Fail(QStringLiteral("cannot write the picture ") + argument);
      }
    } else if (verb == QLatin1String("dismiss")) {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->close();
      }
    } else if (verb == QLatin1String("quit")) {
      m_frame.close();
      return;
    } else {
      return Fail(QStringLiteral("cannot understand script line: ") + line);
    }
  }
}

void GuiScript::Fail(const QString& message) {
  std::fprintf(stderr, "volmograph: %s\n", message.toLocal8Bit().constData());
  QCoreApplication::exit(2);
}

}  // namespace volmograph::shell
