// volmograph-cli replay: plays a captured byte stream through the real view, exactly as the
// desktop program would see it from the port, deterministically and as fast as the machine
// goes, then saves the result as a data file through the view's Save command.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsoleOutput.h"
#include "cli/CsvLog.h"
#include "cli/ListingOutputs.h"
#include "cli/ReplayOptions.h"
#include "cli/ViewSave.h"
#include "files/FileAccess.h"
#include "files/SampleCsv.h"
#include "platform/HeadlessPlatform.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace volmograph::cli {

namespace {

constexpr int kTicksAfterCapture = 2;

struct CaptureFile {
  std::FILE* file = nullptr;
  ~CaptureFile() {
    if (file != nullptr) {
      std::fclose(file);
    }
  }
};

// Sets the sampling interval the way the user would: through its command where one exists.
void ApplyInterval(CKeloView& view, const ReplayOptions& options) {
  if (options.intervalCommand != 0) {
    view.OnCommand(options.intervalCommand);
  } else if (options.intervalTicks == 1) {
    view.OnCommand(cmd::kSampling50ms);
  } else if (options.intervalTicks > 1) {
    view.m_meter.m_reloadTicks = options.intervalTicks;
    view.m_comSettings.m_samplingTicks = options.intervalTicks;
  }
}

bool RunEnded(const CKeloView& view) {
  return view.m_running == 0;
}

// Feeds the capture to the view a tick's worth of bytes at a time, until the run ends or a
// few ticks after the last byte. False, said, on a read error.
bool PlayCapture(CKeloView& view, HeadlessPlatform& headless, CaptureFile& capture,
                 const ReplayOptions& options) {
  ScriptedLine& line = *headless.m_serial.Line();
  std::vector<char> chunk(options.bytesPerTick);
  int ticksLeftAfterCapture = kTicksAfterCapture;
  while (!RunEnded(view) && ticksLeftAfterCapture > 0) {
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), capture.file);
    if (got > 0) {
      line.Feed(std::string_view(chunk.data(), got));
    } else {
      if (std::ferror(capture.file)) {
        SayError("replay", "cannot read " + options.capturePath + ": " + std::strerror(errno));
        return false;
      }
      --ticksLeftAfterCapture;
    }
    headless.m_timer.Fire(kViewTimerId);
    headless.m_clock.Advance(kViewTimerPeriodMs);
  }
  return true;
}

}  // namespace

int RunReplay(int argc, char** argv) {
  ReplayOptions options;
  std::string error;
  if (!ParseReplayOptions(argc, argv, options, error)) {
    if (error.empty()) {
      std::fputs(ReplayUsage(), stdout);
      return 0;
    }
    SayError("replay", error);
    return 2;
  }

  CaptureFile capture;
  const int fd = OpenRegularFile(options.capturePath, error);
  if (fd < 0 || (capture.file = fdopen(fd, "rb")) == nullptr) {
    SayError("replay", "cannot read " + options.capturePath + ": " +
                           (error.empty() ? std::strerror(errno) : error));
    return 1;
  }

  CsvLog csv;
  if (!options.csvPath.empty() && !csv.Open(options.csvPath, SampleCsvHeader())) {
    SayError("replay", "cannot write " + options.csvPath + ": " + csv.Error());
    return 1;
  }

  // The user's profile is neither read nor written: the view gets an in-memory default one.
  HeadlessPlatform headless;
  ListingOutputs outputs(headless.m_list, options.csvPath.empty() ? nullptr : &csv);
  ConsolePrompter prompter("replay");
  headless.m_serial.Line()->name = options.capturePath;  // what the messages call the line
  Platform platform = headless.Bundle();
  Platform replayPlatform{platform.form,    outputs.List(), platform.statusBar,
                          platform.profile, prompter,       platform.dialogs,
                          platform.timer,   platform.clock, platform.serial};

  auto view = std::make_unique<CKeloView>(replayPlatform);
  view->OnCreate();
  view->OnInitialUpdate();
  outputs.Start();
  ApplyInterval(*view, options);
  headless.m_clock.Set(options.start);
  view->OnCommand(cmd::kStart);
  if (view->m_running == 0) {
    SayError("replay", "the run did not start");
    return 1;
  }

  if (!PlayCapture(*view, headless, capture, options)) {
    return 1;
  }
  if (!RunEnded(*view)) {
    view->OnCommand(cmd::kStop);
  }
  const CComTR6400& meter = view->m_meter;
  if (meter.BulkHeld()) {
    SayError("replay", "the capture ends inside a waveform transfer (" +
                           std::to_string(meter.m_accumLength) + " of at least " +
                           std::to_string(kBulkThreshold) + " bytes); no waveform was taken");
  }

  if (!SaveThroughView(*view, headless.m_dialogs, prompter, options.outPath, error)) {
    SayError("replay", "cannot write " + options.outPath + ": " + error);
    return 1;
  }
  if (!csv.Error().empty()) {
    SayError("replay", "cannot write " + options.csvPath + ": " + csv.Error());
    return 1;
  }
  if (std::fflush(stdout) != 0 || !outputs.OutputOk()) {
    SayError("replay", "cannot write to standard output");
    return 1;
  }
  return 0;
}

}  // namespace volmograph::cli
