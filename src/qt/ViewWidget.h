#pragma once

// The view on the desktop, for the application's document window: the form with its
// controls, the sample list, message boxes, the settings dialogs and the 50 ms timer, and a
// CKeloView built on them, created (OnCreate) and first updated (OnInitialUpdate) here.
// The shell gives it the settings, the serial line and its status bar, routes commands to
// Command and asks Query for their enabled and checked states.

#include <QWidget>
#include <memory>

#include "platform/SystemClock.h"
#include "qt/QtDialogs.h"
#include "qt/QtPrompter.h"
#include "qt/QtTimer.h"
#include "view/CKeloView.h"

namespace volmograph {

class QtForm;
class QtListBox;

class ViewWidget : public QWidget {
 public:
  ViewWidget(Profile& profile, SerialConnector& serial, StatusBar& statusBar,
             QWidget* parent = nullptr);
  ~ViewWidget() override;

  CKeloView& View() { return *m_view; }
  // False when the form could not be made; the view then takes no commands.
  bool IsCreated() const { return m_created; }
  // The view's command handling; false when the view does not handle `id`.
  bool Command(int id);
  CommandState Query(int id) const;

  QtForm& Form() { return *m_form; }
  // The printer the print dialog set up, for the shell's print job after OnPreparePrinting.
  QPrinter& Printer() { return m_dialogs.Printer(); }
  void SetFileDialogHelp(FileDialogHelp help) { m_dialogs.SetFileDialogHelp(std::move(help)); }
  QSize sizeHint() const override;

 private:
  QtForm* m_form;  // owned by its parent widget
  std::unique_ptr<QtListBox> m_list;
  QtPrompter m_prompter;
  QtDialogs m_dialogs;
  QtTimer m_timer;
  SystemClock m_clock;
  std::unique_ptr<CKeloView> m_view;
  bool m_created = false;
};

}  // namespace volmograph
