// volmograph-cli record: the view on a real port with a real 50 ms timer, as Start in the
// desktop program, until it is told to stop; then Stop and Save, so that nothing recorded is
// lost. The view works on a copy of the user's settings in memory: the port table and the
// interval come from it, and what the run changes never reaches the file.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "cli/CsvLog.h"
#include "cli/DatedClock.h"
#include "cli/ListingOutputs.h"
#include "cli/RecordOptions.h"
#include "cli/StopSignals.h"
#include "cli/TickPacer.h"
#include "cli/ViewSave.h"
#include "cli/WatchedConnector.h"
#include "files/FileAccess.h"
#include "files/SampleCsv.h"
#include "link/CComTR6400.h"
#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"
#include "platform/HeadlessPlatform.h"
#include "platform/IniProfile.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace volmograph::cli {

namespace {

enum class RunEnd { Signal, Seconds, Waveform, Silent, Lost, OutputClosed };

struct RecordEnv {
  ManualTimer& timer;
  const WatchedConnector& watched;
  ListingOutputs& outputs;
};

void Fail(const char* format, const std::string& a, const std::string& b) {
  std::fprintf(stderr, "volmograph-cli record: ");
  std::fprintf(stderr, format, a.c_str(), b.c_str());
  std::fputc('\n', stderr);
}

// A device path or HOST:PORT goes into the in-memory port table under the port the settings
// choose, so that Start opens it as it would any COM port.
void ChoosePort(MemoryProfile& profile, const RecordOptions& options) {
  if (options.portIndex >= 0) {
    profile.WriteInt("COMM", "Port", options.portIndex);
    return;
  }
  const int chosen = profile.GetInt("COMM", "Port", 1);
  if (chosen < 0 || chosen > 3) {
    profile.WriteInt("COMM", "Port", 0);
  }
  const int index = chosen < 0 || chosen > 3 ? 0 : chosen;
  profile.WriteString("Ports", "COM" + std::to_string(index + 1), options.portTarget);
}

bool StartRun(CKeloView& view, ConsolePrompter& prompter) {
  prompter.SetHolding(true);
  view.OnCommand(cmd::kStart);
  prompter.SetHolding(false);
  if (view.m_running == 1) {
    return true;
  }
  const auto& held = prompter.Held();
  Fail("%s: %s", held.empty() ? "Failed to Open ComPort" : held.back().text,
       held.empty() ? "the run did not start" : held.back().detail);
  return false;
}

RunEnd RunTicks(CKeloView& view, RecordEnv& env, long seconds) {
  constexpr long kTicksPerSecond = 1000 / kViewTimerPeriodMs;
  TickPacer pacer(kViewTimerPeriodMs);
  std::uint64_t lastBytes = env.watched.BytesRead();
  long quietTicks = 0;
  for (long tick = 0;; ++tick) {
    if (StopSignals::Received() != 0) {
      return RunEnd::Signal;
    }
    if (seconds > 0 && tick >= seconds * kTicksPerSecond) {
      return RunEnd::Seconds;
    }
    env.timer.Fire(kViewTimerId);
    if (std::fflush(stdout) != 0 || !env.outputs.OutputOk()) {
      return RunEnd::OutputClosed;
    }
    if (view.m_running == 0) {
      return view.m_displayMode == 2 ? RunEnd::Waveform : RunEnd::Lost;
    }
    quietTicks = env.watched.BytesRead() == lastBytes ? quietTicks + 1 : 0;
    lastBytes = env.watched.BytesRead();
    if (quietTicks >= kSilenceSeconds * kTicksPerSecond) {
      return RunEnd::Silent;
    }
    pacer.WaitForNextTick();
  }
}

std::string EndText(RunEnd end, const ConsolePrompter& prompter) {
  switch (end) {
    case RunEnd::Signal:
      return StopSignals::Received() == SIGINT    ? "stopped by Ctrl-C"
             : StopSignals::Received() == SIGTERM ? "stopped by SIGTERM"
                                                  : "the terminal was closed";
    case RunEnd::Seconds:
      return "time is up";
    case RunEnd::Waveform:
      return "a waveform capture ended the run";
    case RunEnd::Silent:
      return "the meter sent nothing for " + std::to_string(kSilenceSeconds) + " s";
    case RunEnd::Lost:
      if (!prompter.Held().empty()) {
        const auto& lost = prompter.Held().back();
        return lost.text + (lost.detail.empty() ? "" : " (" + lost.detail + ")");
      }
      return "the run ended";
    case RunEnd::OutputClosed:
      return "standard output was closed";
  }
  return {};
}

// Saves at `path`, or, should that fail after so long a run, in the temporary folder.
bool SaveRecording(CKeloView& view, HeadlessPlatform& headless, ConsolePrompter& prompter,
                   const std::string& path, std::string& savedAt) {
  std::string error;
  if (SaveThroughView(view, headless.m_dialogs, prompter, path, error)) {
    savedAt = path;
    return true;
  }
  const char* folder = std::getenv("TMPDIR");
  const std::string rescue = std::string(folder != nullptr && *folder == '/' ? folder : "/tmp") +
                             "/volmograph-record-" + std::to_string(::getpid()) + ".mtr";
  std::string rescueError;
  if (error != "there is nothing to save" &&
      SaveThroughView(view, headless.m_dialogs, prompter, rescue, rescueError)) {
    Fail("cannot write %s: %s; saved in the temporary folder instead", path, error);
    savedAt = rescue;
    return false;
  }
  Fail("cannot write %s: %s", path, error);
  return false;
}

int Finish(CKeloView& view, HeadlessPlatform& headless, ConsolePrompter& prompter,
           const RecordOptions& options, RunEnd end, const CsvLog& csv) {
  if (view.m_running == 1) {
    view.OnCommand(cmd::kStop);
  }
  const std::string why = EndText(end, prompter);
  std::string savedAt;
  bool ok = SaveRecording(view, headless, prompter, options.outPath, savedAt);
  if (!savedAt.empty()) {
    const std::string what = view.m_displayMode == 2
                                 ? "waveform saved as a graph file"
                                 : std::to_string(view.m_recordedLines) + " lines saved";
    Fail("%s; %s", why, what + " to " + savedAt);
  }
  if (!csv.Error().empty()) {
    Fail("cannot write %s: %s", options.csvPath, csv.Error());
    ok = false;
  }
  const bool asked = end == RunEnd::Signal || end == RunEnd::Seconds || end == RunEnd::Waveform;
  return ok && asked ? 0 : 1;
}

}  // namespace

int RunRecord(int argc, char** argv) {
  RecordOptions options;
  std::string error;
  if (!ParseRecordOptions(argc, argv, options, error)) {
    if (error.empty()) {
      std::fputs(RecordUsage(), stdout);
      return 0;
    }
    Fail("%s%s", error, " (try --help)");
    return 2;
  }
  if (!CanWriteFileAtomically(options.outPath, error)) {
    Fail("cannot write %s: %s", options.outPath, error);
    return 1;
  }
  MemoryProfile profile(IniProfile(DefaultProfilePath()).Text());
  ChoosePort(profile, options);
  PosixSerialConnector serial(PortTable::FromProfile(profile));
  WatchedConnector watched(serial);
  HeadlessPlatform headless(profile);
  DatedClock clock;
  ConsolePrompter prompter;
  CsvLog csv;
  ListingOutputs outputs(headless.m_list, options.csvPath.empty() ? nullptr : &csv,
                         [&clock](const std::string& line) { return clock.IsoTimestamp(line); });
  const Platform base = headless.Bundle();
  const Platform platform{base.form,    outputs.List(), base.statusBar, base.profile, prompter,
                          base.dialogs, base.timer,     clock,          watched};

  auto view = std::make_unique<CKeloView>(platform);
  view->OnCreate();
  view->OnInitialUpdate();
  outputs.Start();
  if (options.intervalCommand != 0) {
    view->OnCommand(options.intervalCommand);
  }
  if (!StartRun(*view, prompter)) {
    return 2;
  }
  // Opened only now, so that a port that cannot be opened leaves an existing CSV alone; the
  // first line is listed two readings after Start at the earliest.
  if (!options.csvPath.empty() && !csv.Open(options.csvPath, "datetime," + SampleCsvHeader())) {
    view->OnCommand(cmd::kStop);
    Fail("cannot write %s: %s", options.csvPath, csv.Error());
    return 1;
  }
  std::string interval = headless.m_statusBar.Pane(pane::kSamplingTime);
  interval.erase(0, interval.find_first_not_of(' '));
  Fail("reading %s every %s; Ctrl-C stops the run and saves it", view->m_meter.m_deviceName,
       interval);

  StopSignals signals;
  RecordEnv env{headless.m_timer, watched, outputs};
  prompter.SetHolding(true);
  const RunEnd end = RunTicks(*view, env, options.seconds);
  return Finish(*view, headless, prompter, options, end, csv);
}

}  // namespace volmograph::cli
