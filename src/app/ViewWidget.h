#pragma once

// STAND-IN for the form widget (qt/ViewWidget.h) that is being built on its own branch.
// It has the same constructor and members the shell uses, and just enough of a form to
// run the view: the display frame's picture with the readout texts over it, the four
// function buttons and the sample list. Delete this file and ViewWidget.cpp once the real
// widget is merged, and include "qt/ViewWidget.h" instead.

#include <QWidget>
#include <map>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/HeadlessForm.h"
#include "platform/Profile.h"
#include "platform/SerialDevice.h"
#include "platform/StatusBar.h"
#include "platform/SystemClock.h"
#include "platform/Timer.h"
#include "view/CKeloView.h"

class QListWidget;
class QPrinter;
class QTimer;

namespace volmograph {

class FontResolver;
class RasterCanvas;
class StandInDialogs;
class StandInForm;
class StandInListBox;
class StandInPrompter;
class StandInTimer;

// The view's window: owns the form, list, prompter, dialogs, timer and the CKeloView, and
// runs the view's creation and first update.
class ViewWidget : public QWidget {
 public:
  ViewWidget(Profile& profile, SerialConnector& serial, StatusBar& statusBar,
             QWidget* parent = nullptr);
  ~ViewWidget() override;

  CKeloView& View() { return *m_view; }
  // Routes a command to the view; false when the view does not handle it.
  bool Command(int id);
  CommandState Query(int id) const;
  // The printer the print dialog set up, for the shell's print job after OnPreparePrinting.
  QPrinter& Printer();

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<FontResolver> m_fonts;
  std::unique_ptr<StandInForm> m_form;
  std::unique_ptr<StandInListBox> m_list;
  std::unique_ptr<StandInPrompter> m_prompter;
  std::unique_ptr<StandInDialogs> m_dialogs;
  std::unique_ptr<StandInTimer> m_timer;
  SystemClock m_clock;
  std::unique_ptr<CKeloView> m_view;
};

}  // namespace volmograph
