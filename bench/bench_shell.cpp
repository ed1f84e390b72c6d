// The desktop program's costs against a bare Qt main window, each measured in a fresh
// process so that neither pays for the other's start-up. The program runs as a child of
// this executable; the bare window is a program of its own (bare_window, built beside
// this one), which loads Qt's widgets and nothing else and keeps Qt's defaults (GLib's
// event loop among them), as a bare Qt program would:
//   start-up   from spawning the process to the first shown main window (no start-up
//              picture), the program and the bare window started one after the other in
//              each round; the verdict is the median of the rounds' ratios. The part
//              after main is shown apart, loading being the rest. Measured twice: on a
//              virtual X display started for the purpose (Xvfb), where the window is
//              mapped and exposed by a display server as on a desktop, which is where a
//              window is shown and so gets the verdict; and offscreen, with no display
//              server, for comparison only: there a bare window without text does almost
//              nothing, so that the program's own costs stand out, and the same bare
//              window with one line of text already takes about 1.5 times as long;
//   memory     resident size after a simulated hour (72 000 view ticks through the real
//              window as fast as they go, a reading every 250 ms, line graph);
//   CPU        the program in line mode for a minute of real time, reading the simulated
//              meter on a pseudo-terminal, as a share of one core: the user-interface
//              thread, where all of the program's work runs; the simulator's writing thread
//              stands in for the meter and is shown apart.
// Targets: start-up and memory under 1.5 times the bare window's, CPU under 1 %.
// VOLMOGRAPH_BENCH_CPU_SECONDS shortens (or lengthens) the real-time run; default 60.
// Apart from the start-up on the virtual display, the windows draw on the offscreen
// platform, so no display is needed.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "StartupReport.h"
#include "VirtualDisplay.h"
#include "app/CKeloApp.h"
#include "app/DemoMeter.h"
#include "platform/MemoryProfile.h"
#include "qt/GuiApplication.h"
#include "qt/ViewWidget.h"
#include "sim/MeterSimulator.h"
#include "view/Ids.h"

namespace {

using namespace volmograph;
using namespace volmograph::shell;
using namespace volmograph::bench;

constexpr long kTicksPerHour = 72000;

// CPU time of the calling thread (RUSAGE_THREAD) or of the whole process (RUSAGE_SELF).
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The meter's bytes handed over 50 ms of line time per read, as fast as they are asked for.
class SteppedDevice : public SerialDevice {
 public:
  explicit SteppedDevice(MeterSimulator& meter) : m_meter(meter) {}
  bool Configure() override { return true; }
  void Purge() override { m_pending.clear(); }
  long BytesWaiting() override {
    if (m_pending.empty()) {
      std::vector<std::uint8_t> bytes;
      m_meter.Produce(0.05, bytes);
      m_pending.assign(bytes.begin(), bytes.end());
    }
    return static_cast<long>(m_pending.size());
  }
  long Read(std::uint8_t* buffer, std::size_t capacity) override {
    const std::size_t count = std::min(capacity, m_pending.size());
    std::copy_n(m_pending.begin(), count, buffer);
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(count));
    return static_cast<long>(count);
  }
  void DropDtr() override {}
  void Close() override {}
  std::string Name() const override { return "simulated meter"; }

 private:
  MeterSimulator& m_meter;
  std::deque<std::uint8_t> m_pending;
};

class SteppedConnector : public SerialConnector {
 public:
  std::unique_ptr<SerialDevice> OpenPort(const std::string&, std::string&) override {
    return std::make_unique<SteppedDevice>(m_meter);
  }

 private:
  MeterSimulator m_meter{SimOptions{}};
};

// 250 ms sampling, as the user's settings would say after choosing it.
MemoryProfile QuarterSecondProfile() {
  return MemoryProfile("[Sampling Time]\nCurrent=5\nUse display=250 mSEC\n");
}

int ChildApp(int argc, char** argv, long ticks) {
  MemoryProfile profile = QuarterSecondProfile();
  SteppedConnector serial;
  ShellOptions options;
  options.splash = false;
  CKeloApp app(argc, argv, options, ShellServices{&profile, &serial});
  if (!app.InitInstance()) {
    return 1;
  }
  WaitUntilShown(*app.MainFrame());
  if (ticks == 0) {
    ReportShown();
    return 0;
  }
  CKeloView& view = app.MainFrame()->ActiveView()->View();
  app.MainFrame()->OnCommand(cmd::kStart);
  for (long tick = 0; tick < ticks; ++tick) {
    view.OnTimer(kViewTimerId);
    // Line mode once there is a line to draw; with none the view says so in a message box.
    if (view.m_displayMode == 1 && view.m_sampleList.Count() >= 2) {
      app.MainFrame()->OnCommand(cmd::kViewLine);
    }
    if (tick % 4 == 0) {
      QCoreApplication::processEvents();  // paint what the reading changed
    }
  }
  std::printf("lines %d mode %d rss %ld\n", view.m_sampleList.Count(), view.m_displayMode,
              ResidentKilobytes());
  return 0;
}

int ChildCpu(int argc, char** argv, int seconds) {
  DemoMeter meter;
  std::string error;
  if (!meter.Start(error)) {
    std::fprintf(stderr, "no simulated meter: %s\n", error.c_str());
    return 1;
  }
  MemoryProfile profile = QuarterSecondProfile();
  ShellOptions options;
  options.splash = false;
  CKeloApp app(argc, argv, options, ShellServices{&profile, &meter.Connector()});
  if (!app.InitInstance()) {
    return 1;
  }
  WaitUntilShown(*app.MainFrame());
  app.MainFrame()->OnCommand(cmd::kStart);
  CKeloView& view = app.MainFrame()->ActiveView()->View();
  while (view.m_sampleList.Count() < 2) {
    QEventLoop pause;
    QTimer::singleShot(50, &pause, &QEventLoop::quit);
    pause.exec();
  }
  app.MainFrame()->OnCommand(cmd::kViewLine);
  // The program's own thread; the simulator's thread stands for the meter, not the program.
  const double before = CpuSeconds(RUSAGE_THREAD);
  const double processBefore = CpuSeconds(RUSAGE_SELF);
  QTimer::singleShot(seconds * 1000, [] { QCoreApplication::quit(); });
  QApplication::exec();
  const double used = CpuSeconds(RUSAGE_THREAD) - before;
  const double processUsed = CpuSeconds(RUSAGE_SELF) - processBefore;
  std::printf("cpu %.3f process %.3f lines %d mode %d\n", used, processUsed,
              view.m_sampleList.Count(), view.m_displayMode);
  return 0;
}

std::string OwnPath() {
  char path[4096] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_shell: %s\n", what.c_str());
  std::exit(1);
}

// Runs `words` (the program's path, then its arguments) in `environment` and returns its
// first line, and the wall time to it; nothing when the program cannot start or fails. The
// program is started directly, not through a shell, so that only its own start-up is timed.
std::optional<std::string> TryProgram(std::vector<std::string> words, double* milliseconds,
                                      char* const* environment) {
  std::vector<char*> argv;
  for (std::string& word : words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    return std::nullopt;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawned != 0) {
    close(pipeEnds[0]);
    return std::nullopt;
  }
  FILE* output = fdopen(pipeEnds[0], "r");
  char line[256] = {};
  if (output == nullptr || std::fgets(line, sizeof line, output) == nullptr) {
    line[0] = '\0';
  }
  if (milliseconds != nullptr) {
    *milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  if (output != nullptr) {
    std::fclose(output);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  return std::string(line);
}

std::string RunProgram(const std::vector<std::string>& words, double* milliseconds = nullptr,
                       char* const* environment = environ) {
  std::optional<std::string> line = TryProgram(words, milliseconds, environment);
  if (!line) {
    std::string command;
    for (const std::string& word : words) {
      command += (command.empty() ? "" : " ") + word;
    }
    Fail("'" + command + "' failed");
  }
  return *line;
}

// Runs this executable with `arguments`.
std::string RunChild(const std::vector<std::string>& arguments, double* milliseconds = nullptr) {
  static const std::string self = OwnPath();
  std::vector<std::string> words{self};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return RunProgram(std::move(words), milliseconds);
}

// The bare window's program, built beside this one.
std::vector<std::string> BareWindow(bool withText) {
  const std::string self = OwnPath();
  std::vector<std::string> words{self.substr(0, self.rfind('/') + 1) + "bare_window"};
  if (withText) {
    words.emplace_back("--text");
  }
  return words;
}

double Decimal(const std::string& text, const char* key) {
  const std::size_t at = text.find(key);
  return at == std::string::npos ? -1 : std::strtod(text.c_str() + at + std::strlen(key), nullptr);
}

double Median(std::vector<double> series) {
  std::sort(series.begin(), series.end());
  return series[series.size() / 2];
}

// One kind of process: the medians from spawning it to its window shown, and of the part of
// that after its main was entered.
struct StartupTime {
  double total = 0;
  double inMain = 0;
};

struct StartupTimes {
  StartupTime bare;
  StartupTime app;
  StartupTime bareText;
  // The program's time over the bare window's within each round, the two started one after
  // the other: a slow spell of the machine that falls on one round touches both alike.
  std::vector<double> roundRatios;
};

// Median start-up of each kind, the kinds taken in turn within each round so that a change
// in the machine's load touches all of them alike. Nothing when a start-up fails, as one
// does if the display goes away during the rounds.
std::optional<StartupTimes> MedianStartups(char* const* environment) {
  constexpr int kRounds = 21;
  const std::vector<std::vector<std::string>> kinds{
      BareWindow(false), {OwnPath(), "--child", "app"}, BareWindow(true)};
  std::vector<std::vector<double>> totals(kinds.size());
  std::vector<std::vector<double>> inMain(kinds.size());
  for (int round = 0; round < kRounds; ++round) {
    // The program and the bare window take turns at going first, so that whatever one
    // process leaves behind for the next falls on each alike.
    const std::vector<std::size_t> order =
        round % 2 == 0 ? std::vector<std::size_t>{0, 1, 2} : std::vector<std::size_t>{1, 0, 2};
    for (const std::size_t kind : order) {
      double ms = 0;
      const std::optional<std::string> line = TryProgram(kinds[kind], &ms, environment);
      if (!line) {
        return std::nullopt;
      }
      totals[kind].push_back(ms);
      inMain[kind].push_back(Decimal(*line, "in-main "));
    }
  }
  std::vector<StartupTime> medians;
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    medians.push_back({Median(totals[kind]), Median(inMain[kind])});
  }
  std::vector<double> ratios;
  for (int round = 0; round < kRounds; ++round) {
    ratios.push_back(totals[1][round] / totals[0][round]);
  }
  std::sort(ratios.begin(), ratios.end());
  return StartupTimes{medians[0], medians[1], medians[2], ratios};
}

long Number(const std::string& text, const char* key) {
  return static_cast<long>(Decimal(text, key));
}

const char* Verdict(bool ok) {
  return ok ? "ok" : "OVER TARGET";
}

// `judged` says whether the target applies to this measure or it is shown for comparison.
void PrintStartup(const char* where, const StartupTimes& startup, bool judged) {
  const std::vector<double>& ratios = startup.roundRatios;
  const double ratio = Median(ratios);
  std::printf(
      "start-up to first shown window %s: ratio %.2f (%s), the median of %zu rounds' ratios "
      "(middle half %.2f to %.2f)\n",
      where, ratio, judged ? Verdict(ratio < 1.5) : "for comparison, no target", ratios.size(),
      ratios[ratios.size() / 4], ratios[ratios.size() * 3 / 4]);
  std::printf(
      "  medians: bare window %.1f ms, volmograph %.1f ms (ratio %.2f); after main: bare "
      "%.1f ms, volmograph %.1f ms\n",
      startup.bare.total, startup.app.total, startup.app.total / startup.bare.total,
      startup.bare.inMain, startup.app.inMain);
  std::printf("  the bare window with a line of text: %.1f ms, %.1f ms of it after main\n",
              startup.bareText.total, startup.bareText.inMain);
}

// The start-up on a virtual X display started for the run, which carries the verdict; said
// to be not measured when no display can be had or it stops showing windows.
void MeasureOnVirtualDisplay() {
  const VirtualDisplay display;
  const VirtualDisplay::ClientEnvironment onDisplay(display);
  if (display.Name().empty()) {
    std::printf("start-up on a virtual X display: not measured, Xvfb could not be started\n");
  } else if (!TryProgram(BareWindow(false), nullptr, onDisplay.Get())) {
    std::printf(
        "start-up on a virtual X display: not measured, no window could be shown on "
        "%s\n",
        display.Name().c_str());
  } else if (const auto onXvfb = MedianStartups(onDisplay.Get())) {
    PrintStartup("on a virtual X display (Xvfb, no window manager)", *onXvfb, true);
  } else if (TryProgram(BareWindow(false), nullptr, onDisplay.Get())) {
    // The display still shows a bare window, so the failure was the program's own.
    Fail("a start-up failed on the virtual display " + display.Name());
  } else {
    std::printf(
        "start-up on a virtual X display: not measured, %s stopped showing windows during "
        "the rounds\n",
        display.Name().c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool child = argc >= 3 && std::strcmp(argv[1], "--child") == 0;
  // Offscreen unless the benchmark sent a start-up child to its virtual display.
  setenv("QT_QPA_PLATFORM", "offscreen", child ? 0 : 1);
  PrepareGuiEnvironment();
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (child) {
    InstallQuietOffscreenNotes();
    const std::string kind = argv[2];
    int qtArgc = 1;
    if (kind == "app") {
      return ChildApp(qtArgc, argv, 0);
    }
    if (kind == "hour") {
      return ChildApp(qtArgc, argv, kTicksPerHour);
    }
    if (kind == "cpu" && argc >= 4) {
      return ChildCpu(qtArgc, argv, std::atoi(argv[3]));
    }
    return 2;
  }
  const char* secondsText = std::getenv("VOLMOGRAPH_BENCH_CPU_SECONDS");
  const int seconds = std::max(1, secondsText != nullptr ? std::atoi(secondsText) : 60);

  MeasureOnVirtualDisplay();
  const auto offscreen = MedianStartups(environ);
  if (!offscreen) {
    Fail("a start-up on the offscreen platform failed");
  }
  PrintStartup("offscreen, with no display server", *offscreen, false);

  const long bareRss = Number(RunProgram(BareWindow(false)), "shown ");
  const std::string hour = RunChild({"--child", "hour"});
  const long hourRss = Number(hour, "rss ");
  std::printf(
      "resident memory: bare window %ld kB, after %ld ticks (%ld lines listed) %ld kB, "
      "ratio %.2f (%s)\n",
      bareRss, kTicksPerHour, Number(hour, "lines "), hourRss,
      static_cast<double>(hourRss) / bareRss, Verdict(hourRss < 1.5 * bareRss));

  const std::string cpu = RunChild({"--child", "cpu", std::to_string(seconds)});
  const double used = std::atof(cpu.c_str() + 4);
  const double percent = 100.0 * used / seconds;
  const std::size_t process = cpu.find("process ");
  const double processPercent =
      process == std::string::npos ? 0.0 : 100.0 * std::atof(cpu.c_str() + process + 8) / seconds;
  std::printf(
      "CPU in line mode for %d s against the simulator: user-interface thread %.3f s, %.2f %% "
      "of one core (%s); whole process, the simulator's thread included, %.2f %%; "
      "%ld lines listed\n",
      seconds, used, percent, Verdict(percent < 1.0), processPercent, Number(cpu, "lines "));
  return 0;
}
