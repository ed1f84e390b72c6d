// The reference for the start-up and memory figures of bench_shell: a bare Qt main window in
// a program of its own, which loads Qt's widgets and nothing more. With --text it also shows
// one line in its status bar, which makes Qt load its fonts as every window with text must.
// Prints "shown <resident kB> in-main <ms since main>" once the window is exposed.

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// Taken as this program's own code starts, as bench_shell's children take theirs.
const auto g_mainEntered = std::chrono::steady_clock::now();

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::strtol(line.c_str() + 6, nullptr, 10);
    }
  }
  return -1;
}

// The offscreen platform says this as the window goes; it is noise in the benchmark's output.
void QuietOffscreenNote(QtMsgType, const QMessageLogContext&, const QString& text) {
  if (!text.contains(QLatin1String("propagateSizeHints"))) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool withText = argc >= 2 && std::strcmp(argv[1], "--text") == 0;
  qInstallMessageHandler(QuietOffscreenNote);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QMainWindow window;
  window.resize(640, 480);
  if (withText) {
    window.statusBar()->showMessage("For Help, press F1");
  }
  window.show();
  while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  const double inMain =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_mainEntered)
          .count();
  std::printf("shown %ld in-main %.2f\n", ResidentKilobytes(), inMain);
  std::fflush(stdout);  // the line is the measurement's end, not the program's
  return 0;
}
