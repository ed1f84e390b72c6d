#include "app/CStartupPicture.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/StartupArtwork.h"

namespace volmograph::shell {

void CStartupPicture::SetPictureEnabled(bool enabled) {
  s_enabled = enabled;
}

void CStartupPicture::ShowPicture(QWidget* owner) {
  if (!s_enabled || s_shown != nullptr) {
    return;
  }
  QImage picture = StartupArtwork();
  if (picture.isNull()) {
    return;  // no picture; start-up goes on without one
  }
  s_shown = new CStartupPicture(owner, std::move(picture));
  s_shown->show();
  s_shown->repaint();
}

bool CStartupPicture::FilterMessage(QEvent* event) {
  if (s_shown == nullptr) {
    return false;
  }
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // A key bound to a shortcut is offered as an override first; claiming it keeps the
      // shortcut from firing, and the key press that follows then hides the picture.
      event->accept();
      return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
      s_shown->HidePicture();
      return true;
    default:
      return false;
  }
}

void CStartupPicture::RaiseShown() {
  if (s_shown != nullptr) {
    s_shown->raise();
  }
}

CStartupPicture::CStartupPicture(QWidget* owner, QImage picture)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(std::move(picture)),
      m_owner(owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  setCursor(Qt::ArrowCursor);
  setFixedSize(m_picture.size());
  // On the owner when it can be seen; at start-up it cannot yet, so on the screen.
  QRect area;
  if (owner != nullptr && owner->isVisible()) {
    area = owner->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  move(area.topLeft() + QPoint((area.width() - width()) / 2, (area.height() - height()) / 2));
  m_timerId = startTimer(kShowMilliseconds);
}

CStartupPicture::~CStartupPicture() {
  if (s_shown == this) {
    s_shown = nullptr;
  }
}

void CStartupPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_picture);
}

void CStartupPicture::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_timerId) {
    HidePicture();
  }
}

void CStartupPicture::HidePicture() {
  killTimer(m_timerId);
  s_shown = nullptr;
  close();  // deletes this once the event that hid it has been handled
  if (m_owner != nullptr && m_owner->isVisible()) {
    m_owner->repaint();
    // The keyboard goes back to the main window, which the picture may have taken it from.
    m_owner->activateWindow();
  }
}

}  // namespace volmograph::shell
