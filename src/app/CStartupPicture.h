#pragma once

// The start-up picture: a borderless window of exactly the picture's size, centred, that
// goes away after 3 s or at the first key press or mouse click, which it swallows. At most
// one is shown at a time.

#include <QImage>
#include <QWidget>

class QEvent;

namespace volmograph::shell {

class CStartupPicture : public QWidget {
 public:
  static constexpr int kShowMilliseconds = 3000;

  // Whether the picture may be shown at all (the command line can turn it off).
  static void SetPictureEnabled(bool enabled);
  static bool PictureEnabled() { return s_enabled; }
  // Shows the picture, owned by `owner`, unless it is disabled or already shown.
  static void ShowPicture(QWidget* owner);
  // While the picture is shown, a key press or a mouse button press hides it and is
  // consumed (true); anything else is left alone (false).
  static bool FilterMessage(QEvent* event);
  // The picture being shown, or null.
  static CStartupPicture* Shown() { return s_shown; }
  // Puts the picture back on top, after a window shown later has covered it.
  static void RaiseShown();

  ~CStartupPicture() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  CStartupPicture(QWidget* owner, QImage picture);
  void HidePicture();

  QImage m_picture;
  QWidget* m_owner;
  int m_timerId = 0;

  static inline bool s_enabled = true;
  static inline CStartupPicture* s_shown = nullptr;
};

}  // namespace volmograph::shell
