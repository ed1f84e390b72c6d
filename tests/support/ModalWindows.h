#pragma once

// Driving modal dialogs from a test: each opens its own event loop, so the test's steps
// run from timers while it is up.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace volmograph {

// Runs `act` on the next modal window other than `previous`, once it is up; gives up after
// ten seconds.
inline void WhenModal(std::function<void(QWidget*)> act, QWidget* previous = nullptr) {
  auto* poll = new QTimer;
  auto polls = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, [poll, polls, act, previous] {
    QWidget* modal = QApplication::activeModalWidget();
    const bool up = modal != nullptr && modal != previous && modal->isVisible();
    if (up || ++*polls > 1000) {
      poll->stop();
      poll->deleteLater();
    }
    if (up) {
      act(modal);
    }
  });
  poll->start(10);
}

// Closes every modal window after a while, so that a test that fails to close one fails
// rather than hangs.
class ModalWatchdog {
 public:
  ModalWatchdog() {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [] {
      for (int i = 0; i < 10 && QApplication::activeModalWidget() != nullptr; ++i) {
        if (QWidget* popup = QApplication::activePopupWidget()) {
          popup->close();
        }
        // A message box without an Escape button ignores close(), but not reject().
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
          dialog->reject();
        } else {
          QApplication::activeModalWidget()->close();
        }
      }
    });
    m_timer.start(15000);
  }

 private:
  QTimer m_timer;
};

// Types `path` over the name field of the file dialog `modal` and presses OK, as a user
// would; false when `modal` is not such a dialog.
inline bool ChooseInFileDialog(QWidget* modal, const QString& path) {
  auto* dialog = qobject_cast<QFileDialog*>(modal);
  auto* nameField =
      dialog == nullptr ? nullptr : dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (nameField == nullptr) {
    return false;
  }
  nameField->setText(path);
  static_cast<QDialog*>(dialog)->accept();
  return true;
}

}  // namespace volmograph
