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
#include "files/FileAccess.h"
#include "files/SampleCsv.h"
#include "link/CComTR6400.h"
#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"
#include "platform/HeadlessPlatform.h"
#include "platform/IniProfile.h"
#include "view/CKeloView.h"
#include "view/Ids.h"
#include "view/SettingsCheck.h"

namespace volmograph::cli {

namespace {

enum class RunEnd { Signal, Seconds, Waveform, Silent, Lost, OutputClosed };

void Say(const std::string& line) {
  SayError("record", line);
}

// A device path or HOST:PORT goes into the in-memory port table under the port the settings
// choose, so that Start opens it as it would any COM port.
void ChoosePort(MemoryProfile& profile, const RecordOptions& options) {
  if (options.portIndex >= 0) {
    profile.WriteInt("COMM", "Port", options.portIndex);
    return;
  }
  int index = profile.GetInt("COMM", "Port", 1);
  if (index < 0 || index > 3) {
    index = 0;
    profile.WriteInt("COMM", "Port", index);
  }
  profile.WriteString("Ports", "COM" + std::to_string(index + 1), options.portTarget);
}

MemoryProfile SettingsFor(const RecordOptions& options) {
  IniProfile file(DefaultProfilePath());
  for (const std::string& problem : SettingsFileProblems(file)) {
    Say("settings file " + problem);
  }
  MemoryProfile profile(file.Text());
  ChoosePort(profile, options);
  return profile;
}

// The view and the platform it sees, built in this order: settings, port, list, view.
struct Recorder {
  explicit Recorder(const RecordOptions& options)
      : profile(SettingsFor(options)),
        serial(PortTable::FromProfile(profile)),
        headless(profile),
        outputs(headless.m_list, options.csvPath.empty() ? nullptr : &csv,
                [this](const std::string& line) { return clock.IsoTimestamp(line); }) {
    const Platform base = headless.Bundle();
    view = std::make_unique<CKeloView>(Platform{base.form, outputs.List(), base.statusBar,
                                                base.profile, prompter, base.dialogs, base.timer,
                                                clock, serial});
    view->OnCreate();
    view->OnInitialUpdate();
    outputs.Start();
    if (options.intervalCommand != 0) {
      view->OnCommand(options.intervalCommand);
    }
  }

  MemoryProfile profile;
  PosixSerialConnector serial;
  HeadlessPlatform headless;
  DatedClock clock;
  ConsolePrompter prompter;
  CsvLog csv;
  ListingOutputs outputs;
  std::unique_ptr<CKeloView> view;
};

bool StartRun(Recorder& recorder) {
  ConsolePrompter& prompter = recorder.prompter;
  prompter.SetHolding(true);
  recorder.view->OnCommand(cmd::kStart);
  prompter.SetHolding(false);
  if (recorder.view->m_running == 1) {
    std::string interval = recorder.headless.m_statusBar.Pane(pane::kSamplingTime);
    interval.erase(0, interval.find_first_not_of(' '));
    Say("reading " + recorder.view->m_meter.m_deviceName + " every " + interval +
        "; Ctrl-C stops the run and saves it");
    return true;
  }
  const auto& held = prompter.Held();
  Say(held.empty() ? "Failed to Open ComPort" : held.back().text + ": " + held.back().detail);
  return false;
}

RunEnd RunTicks(Recorder& recorder, long seconds) {
  constexpr long kTicksPerSecond = 1000 / kViewTimerPeriodMs;
  const CKeloView& view = *recorder.view;
  TickPacer pacer(kViewTimerPeriodMs);
  std::uint64_t lastBytes = view.m_meter.m_bytesReceived;
  long quietTicks = 0;
  bool csvFailureTold = false;
  std::size_t told = recorder.prompter.Held().size();
  for (long tick = 0;; ++tick) {
    if (StopSignals::Received() != 0) {
      return RunEnd::Signal;
    }
    if (seconds > 0 && tick >= seconds * kTicksPerSecond) {
      return RunEnd::Seconds;
    }
    recorder.headless.m_timer.Fire(kViewTimerId);
    if (std::fflush(stdout) != 0 || !recorder.outputs.OutputOk()) {
      return RunEnd::OutputClosed;
    }
    // Told at once: an unattended run may go on for hours with its CSV no longer growing.
    if (!csvFailureTold && !recorder.csv.Error().empty()) {
      Say("cannot write " + recorder.csv.Path() + ": " + recorder.csv.Error() +
          "; the run goes on, and the data file will keep only the lines listed at its end");
      csvFailureTold = true;
    }
    if (view.m_running == 0) {
      return view.m_displayMode == 2 ? RunEnd::Waveform : RunEnd::Lost;
    }
    // What the view says while the run goes on (a line without frames) is said at once.
    for (const auto& held = recorder.prompter.Held(); told < held.size(); ++told) {
      Say(held[told].text + " (" + held[told].detail + ")");
    }
    // The meter gone silent (a cable pulled at its end, the meter switched off).
    quietTicks = view.m_meter.m_bytesReceived == lastBytes ? quietTicks + 1 : 0;
    lastBytes = view.m_meter.m_bytesReceived;
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
// Returns where it saved, or "" when it could not.
std::string SaveRecording(Recorder& recorder, const std::string& path) {
  std::string error;
  if (SaveThroughView(*recorder.view, recorder.headless.m_dialogs, recorder.prompter, path,
                      error)) {
    return path;
  }
  const char* folder = std::getenv("TMPDIR");
  const std::string rescue = std::string(folder != nullptr && *folder == '/' ? folder : "/tmp") +
                             "/volmograph-record-" + std::to_string(::getpid()) + ".mtr";
  std::string rescueError;
  if (SaveThroughView(*recorder.view, recorder.headless.m_dialogs, recorder.prompter, rescue,
                      rescueError)) {
    Say("cannot write " + path + ": " + error + "; saved in the temporary folder instead");
    return rescue;
  }
  Say("cannot write " + path + ": " + error);
  return {};
}

// Stops the run as Stop does, saves it, and says how it ended: the exit status.
int Finish(Recorder& recorder, const RecordOptions& options, RunEnd end) {
  CKeloView& view = *recorder.view;
  if (view.m_running == 1) {
    view.OnCommand(cmd::kStop);
  }
  const std::string savedAt = SaveRecording(recorder, options.outPath);
  if (!savedAt.empty()) {
    Say(EndText(end, recorder.prompter) + "; " +
        (view.m_displayMode == 2 ? "waveform saved as a graph file"
                                 : std::to_string(view.m_recordedLines) + " lines saved") +
        " to " + savedAt);
  }
  bool ok = savedAt == options.outPath;
  if (!recorder.csv.Error().empty()) {
    Say("cannot write " + options.csvPath + ": " + recorder.csv.Error());
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
    Say(error + " (try --help)");
    return 2;
  }
  if (!CanWriteFileAtomically(options.outPath, error)) {
    Say("cannot write " + options.outPath + ": " + error);
    return 1;
  }
  Recorder recorder(options);
  if (!StartRun(recorder)) {
    return 2;
  }
  // Opened only now, so that a port that cannot be opened leaves an existing CSV alone; the
  // first line is listed two readings after Start at the earliest.
  if (!options.csvPath.empty() &&
      !recorder.csv.Open(options.csvPath, "datetime," + SampleCsvHeader())) {
    recorder.view->OnCommand(cmd::kStop);
    Say("cannot write " + options.csvPath + ": " + recorder.csv.Error());
    return 1;
  }
  const StopSignals signals;
  recorder.prompter.SetHolding(true);
  const RunEnd end = RunTicks(recorder, options.seconds);
  return Finish(recorder, options, end);
}

}  // namespace volmograph::cli
