// The reference for the start-up and memory figures of bench_shell: a bare Qt main window in
// a program of its own, which loads Qt's widgets and nothing more. With --text it also shows
// one line in its status bar, which makes Qt load its fonts as every window with text must.
// Prints "shown <resident kB> in-main <ms since main>" once the window is exposed.

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <cstring>

#include "StartupReport.h"

int main(int argc, char** argv) {
  const bool withText = argc >= 2 && std::strcmp(argv[1], "--text") == 0;
  volmograph::bench::InstallQuietOffscreenNotes();
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QMainWindow window;
  window.resize(640, 480);
  if (withText) {
    window.statusBar()->showMessage("For Help, press F1");
  }
  window.show();
  volmograph::bench::WaitUntilShown(window);
  volmograph::bench::ReportShown();
  return 0;
}
