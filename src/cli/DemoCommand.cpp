// volmograph-cli demo: a simulated meter on a pseudo-terminal, read through the real serial
// port code and the real view, with its readings shown live in the terminal.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "cli/StopSignals.h"
#include "cli/TickPacer.h"
#include "graph/WaveformPicture.h"
#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"
#include "platform/HeadlessPlatform.h"
#include "platform/SystemClock.h"
#include "platform/TextEncoding.h"
#include "sim/MeterSimulator.h"
#include "sim/PtyMeter.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace volmograph::cli {

namespace {

// DC volts, then AC volts, a temperature, and a waveform capture near the end.
SimOptions DemoMeter() {
  SimOptions options;
  options.start.function = 'B';
  options.start.value = 1.5;
  options.start.drift = 0.05;
  options.start.noise = 0.002;
  options.schedule.push_back(SimSwitch{3.0, 'A', {}, {}, {}});
  options.schedule.push_back(SimSwitch{6.0, 'O', {}, {}, {}});
  options.waveformAfter = 8.0;
  options.seed = 7;
  return options;
}

// Two picture rows per text line, in half blocks.
void PrintWaveform(const std::uint8_t (&waveform)[kWaveformSize]) {
  std::puts("Waveform capture:");
  for (int row = 0; row < 51; row += 2) {
    std::string line;
    for (int column = 1; column < 128; ++column) {
      const bool top = WaveformDotAt(waveform, column, row);
      const bool bottom = WaveformDotAt(waveform, column, row + 1);
      line += top ? (bottom ? "\u2588" : "\u2580") : (bottom ? "\u2584" : " ");
    }
    std::puts(line.c_str());
  }
}

bool ParseSeconds(int argc, char** argv, int& seconds) {
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) {
      char* end = nullptr;
      const long value = std::strtol(argv[++i], &end, 10);
      if (end == argv[i] || *end != '\0' || value < 1 || value > 86400) {
        return false;
      }
      seconds = static_cast<int>(value);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int RunDemo(int argc, char** argv) {
  constexpr const char* kUsage =
      "usage: volmograph-cli demo [--seconds N]   (N from 1 to 86400, default 10)\n";
  if (argc == 1 && IsHelp(argv[0])) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  int seconds = 10;
  if (!ParseSeconds(argc, argv, seconds)) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  PtyMeter meter{MeterSimulator(DemoMeter())};
  std::string error;
  if (!meter.Start(error)) {
    SayError("demo", "cannot start the simulated meter: " + error);
    return 1;
  }

  HeadlessPlatform headless;
  PortTable ports;
  ports.Set("COM2", meter.SlavePath());  // the default port choice is COM2
  PosixSerialConnector serial(ports);
  SystemClock clock;
  ConsolePrompter prompter("demo");
  PrintingListBox list(headless.m_list, stdout);
  Platform platform = headless.Bundle();
  Platform demoPlatform{platform.form,    list,     platform.statusBar,
                        platform.profile, prompter, platform.dialogs,
                        platform.timer,   clock,    serial};

  auto view = std::make_unique<CKeloView>(demoPlatform);
  view->OnCreate();
  view->OnInitialUpdate();
  list.SetPrinting(true);
  view->OnCommand(cmd::kSampling250ms);
  view->OnCommand(cmd::kStart);
  if (view->m_running == 0) {
    return 1;  // the message has been shown
  }
  std::printf("Simulated meter on %s, one reading every 250 ms; Ctrl-C ends the demo.\n",
              meter.SlavePath().c_str());
  std::fflush(stdout);

  const StopSignals signals;
  TickPacer pacer(kViewTimerPeriodMs);
  const long ticks = seconds * 1000L / kViewTimerPeriodMs;
  for (long tick = 0; tick < ticks && StopSignals::Received() == 0; ++tick) {
    headless.m_timer.Fire(kViewTimerId);
    if (view->m_running == 0 && view->m_displayMode == 2) {
      PrintWaveform(view->m_waveform);
      view->OnCommand(cmd::kStart);  // the capture ended the run; start a new one
    }
    std::fflush(stdout);
    pacer.WaitForNextTick();
  }
  if (view->m_running == 1) {
    view->OnCommand(cmd::kStop);
  }
  std::printf("Stopped: %d lines in the sample list.\n", view->m_recordedLines);
  return 0;
}

}  // namespace volmograph::cli
