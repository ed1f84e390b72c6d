#pragma once

// A hidden test hook (`volmograph --script FILE`) that drives the running window from a
// list of steps, one a line, for screenshots and smoke runs:
//   wait MS        let the program run for MS milliseconds
//   command ID     issue a command as its menu item would
//   shot FILE.png  save a picture of the main window
//   dismiss        close the dialog or message box that is open, if any
//   quit           close the main window
// Blank lines and lines starting with '#' are skipped. A line it does not understand, or
// a picture it cannot save, ends the program with exit status 2 and a message.

#include <QString>
#include <QStringList>

namespace volmograph::shell {

class CMainFrame;

class GuiScript {
 public:
  GuiScript(CMainFrame& frame, QStringList steps) : m_frame(frame), m_steps(std::move(steps)) {}
  // Reads the steps of a file; false with `error` set when it cannot be read.
  static bool Load(const QString& path, QStringList& steps, QString& error);
  // Runs the steps from the event loop, one after the other.
  void Start();

 private:
  void RunNext();
  void Fail(const QString& message);

  CMainFrame& m_frame;
  QStringList m_steps;
  int m_next = 0;
};

}  // namespace volmograph::shell
