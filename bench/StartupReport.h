#pragma once

// What each start-up child of bench_shell does once its window is up, the bare window's own
// program among them, so that every kind is timed and reported alike. Qt's widgets only: the
// bare window's program must load nothing more.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace volmograph::bench {

// Set as the program's own code starts, just before main: what comes before it is loading
// and linking the executable and its libraries.
inline const auto g_mainEntered = std::chrono::steady_clock::now();

inline long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::strtol(line.c_str() + 6, nullptr, 10);
    }
  }
  return -1;
}

inline void WaitUntilShown(QWidget& window) {
  while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

// The first line a start-up child prints: its resident size and its time since main. It is
// sent at once, as its arrival ends the measurement; the program's exit does not count.
inline void ReportShown() {
  const double inMain =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_mainEntered)
          .count();
  std::printf("shown %ld in-main %.2f\n", ResidentKilobytes(), inMain);
  std::fflush(stdout);
}

// The offscreen platform says this of every window it cannot size as asked; it is noise
// in the benchmark's output. Everything else goes to the handler that was there before.
inline QtMessageHandler g_qtMessages = nullptr;

inline void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context,
                                const QString& text) {
  if (text.contains(QLatin1String("propagateSizeHints"))) {
    return;
  }
  if (g_qtMessages != nullptr) {
    g_qtMessages(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}

inline void InstallQuietOffscreenNotes() {
  g_qtMessages = qInstallMessageHandler(QuietOffscreenNotes);
}

}  // namespace volmograph::bench
