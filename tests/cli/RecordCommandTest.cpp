// Records from a simulated meter on a pseudo-terminal with the built volmograph-cli, ended
// the ways a real run ends: Ctrl-C, the meter vanishing or falling silent, a waveform.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliRunner.h"
#include "files/SampleCsv.h"
#include "files/TextDataFile.h"
#include "sim/PtyMeter.h"

namespace volmograph {
namespace {

using test::BackgroundCli;
using test::CliResult;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

std::vector<std::string> Lines(const std::string& text, const std::string& end = "\n") {
  std::vector<std::string> lines;
  for (std::size_t start = 0, stop; (stop = text.find(end, start)) != std::string::npos;
       start = stop + end.size()) {
    lines.push_back(text.substr(start, stop - start));
  }
  return lines;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  char day[16];
  std::strftime(day, sizeof day, "%Y-%m-%d", std::localtime(&now));
  return day;
}

SimOptions NoisyDcv() {
  SimOptions options;
  options.start.function = 'B';
  options.start.value = 1.5;
  options.start.noise = 0.01;
  return options;
}

class RecordCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(m_ini, kSettings);
    ::setenv("VOLMOGRAPH_INI", m_ini.c_str(), 1);
  }
  void TearDown() override { ::unsetenv("VOLMOGRAPH_INI"); }

  std::unique_ptr<BackgroundCli> Record(const std::string& port) {
    return std::make_unique<BackgroundCli>(
        std::vector<std::string>{"record", "--port", port, "--interval", "250ms", "--out", m_mtr,
                                 "--csv", m_csv},
        m_folder);
  }
  std::size_t CsvRows() const { return Lines(ReadFile(m_csv), "\r\n").size(); }

  // A 10 s interval and COM1: a run that wrote either into the file would show.
  static constexpr const char* kSettings =
      "[COMM]\nPort=0\n[Sampling Time]\nCurrent=200\nUse display= 10 SEC\n";
  TempFolder m_folder;
  std::string m_ini = m_folder / "volmograph.ini";
  std::string m_mtr = m_folder / "run.mtr";
  std::string m_csv = m_folder / "run.csv";
};

TEST_F(RecordCommand, CtrlCSavesTheRunAndTheCsvHoldsEveryLineDated) {
  const auto settingsWritten = std::filesystem::last_write_time(m_ini);
  PtyMeter meter{MeterSimulator(NoisyDcv())};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  const std::string day = Today();
  auto cli = Record(meter.SlavePath());
  ASSERT_TRUE(WaitFor([&] { return CsvRows() >= 6; }, std::chrono::seconds(10)));
  cli->Signal(SIGINT);
  const CliResult run = cli->Wait();

  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> saved = ReadTextDataFile(ReadFile(m_mtr));
  const std::vector<std::string> rows = Lines(ReadFile(m_csv), "\r\n");
  ASSERT_GE(saved.size(), 5u);
  ASSERT_EQ(rows.size(), saved.size() + 1);
  EXPECT_EQ(rows[0], "datetime," + SampleCsvHeader());
  EXPECT_EQ(Lines(run.out), saved);
  for (std::size_t i = 0; i < saved.size(); ++i) {
    const std::string& row = rows[i + 1];
    // "2024-05-01T12:00:01+02:00," then the row of the line, whose time it repeats.
    EXPECT_TRUE(row.starts_with(day + "T" + saved[i].substr(1, 8))) << row;
    EXPECT_EQ(row.substr(row.find(',') + 1), SampleCsvRow(saved[i]));
  }
  EXPECT_TRUE(run.err.ends_with("stopped by Ctrl-C; " + std::to_string(saved.size()) +
                                " lines saved to " + m_mtr + "\n"))
      << run.err;
  EXPECT_EQ(ReadFile(m_ini), kSettings);
  EXPECT_EQ(std::filesystem::last_write_time(m_ini), settingsWritten);
}

TEST_F(RecordCommand, TheMeterEndingTheRunStillSavesWhatWasRecorded) {
  std::vector<std::uint8_t> threeSeconds;
  MeterSimulator(NoisyDcv()).Produce(3.0, threeSeconds);
  SimOptions waveform = NoisyDcv();
  waveform.waveformAfter = 2.0;
  const struct {
    const char* name;
    MeterSimulator meter;
    bool unplug;
    int status;
    std::string message;
  } cases[] = {
      {"vanishes", MeterSimulator(NoisyDcv()), true, 1, "Meter connection lost ("},
      {"falls silent", MeterSimulator::Replay(threeSeconds), false, 1,
       "the meter sent nothing for 5 s; "},
      {"sends a waveform", MeterSimulator(waveform), false, 0,
       "a waveform capture ended the run; waveform saved as a graph file to "},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(m_csv);  // not to be taken for this run's
    PtyMeter meter{c.meter};
    std::string error;
    ASSERT_TRUE(meter.Start(error)) << error;
    auto cli = Record(meter.SlavePath());
    ASSERT_TRUE(WaitFor([&] { return CsvRows() >= 3; }, std::chrono::seconds(10))) << c.name;
    if (c.unplug) {
      meter.Stop();
    }
    const CliResult run = cli->Wait();
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    const std::string saved = ReadFile(m_mtr);
    if (c.status == 0) {
      EXPECT_TRUE(saved.starts_with("GRAPH*1VTRX521.0") && saved.size() == 4112) << c.name;
    } else {
      EXPECT_GE(ReadTextDataFile(saved).size(), 2u) << c.name;
    }
    EXPECT_GE(CsvRows(), 3u) << c.name;
  }
}

TEST_F(RecordCommand, ACsvThatStopsTakingRowsIsToldAtOnceAndTheRunGoesOn) {
  ASSERT_EQ(::mkfifo(m_csv.c_str(), 0600), 0);
  // Open before the run, so that the CSV has its reader; it goes away after the header and
  // a few rows.
  const int fd = ::open(m_csv.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  PtyMeter meter{MeterSimulator(NoisyDcv())};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  auto cli = Record(meter.SlavePath());
  char rows[300];
  std::size_t got = 0;
  EXPECT_TRUE(WaitFor(
      [&] {
        const ssize_t n = ::read(fd, rows + got, sizeof rows - got);
        got += n > 0 ? static_cast<std::size_t>(n) : 0;
        return got == sizeof rows;
      },
      std::chrono::seconds(10)));
  ::close(fd);
  EXPECT_TRUE(WaitFor(
      [&] { return ReadFile(m_folder / "cli.err").find("the run goes on") != std::string::npos; },
      std::chrono::seconds(10)));
  cli->Signal(SIGINT);
  const CliResult run = cli->Wait();
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(ReadTextDataFile(ReadFile(m_mtr)), Lines(run.out));
}

TEST_F(RecordCommand, BytesThatNeverMakeAFrameGetAHint) {
  PtyMeter meter{MeterSimulator::Replay(std::vector<std::uint8_t>(4000, 0xF0), true)};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  const CliResult run =
      test::RunCli("record --port " + meter.SlavePath() + " --out '" + m_mtr + "' --seconds 2");
  EXPECT_EQ(run.status, 0) << run.err;
  // Said while the run goes on, not only at its end.
  const std::size_t hint = run.err.find(
      "No meter frame in the bytes received: check that the meter sends at 9600 baud, 8N1, on "
      "this port (" +
      meter.SlavePath() + ")");
  const std::size_t end = run.err.find("time is up; 0 lines saved");
  ASSERT_NE(end, std::string::npos) << run.err;
  EXPECT_LT(hint, end) << run.err;
}

TEST_F(RecordCommand, PortsThatCannotBeOpenedExitTwoWithTheReason) {
  PtyMeter meter{MeterSimulator(NoisyDcv())};
  std::string error;
  ASSERT_TRUE(meter.Start(error)) << error;
  const int holder = ::open(meter.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(holder, 0);
  WriteFile(m_ini, "[Ports]\nCOM3=/nonexistent/ttyX\n");
  WriteFile(m_csv, "an earlier run's rows");
  const struct {
    std::string port;
    std::string reason;
  } cases[] = {
      {meter.SlavePath(), "Device or resource busy: " + meter.SlavePath() + " - in use by "},
      {"COM3", "No such file or directory: /nonexistent/ttyX"},
      {m_folder / "no-tty", "No such file or directory"},
  };
  for (const auto& c : cases) {
    const CliResult run =
        test::RunCli("record --port '" + c.port + "' --out '" + m_mtr + "' --csv '" + m_csv + "'");
    EXPECT_EQ(run.status, 2) << c.port;
    EXPECT_TRUE(run.err.starts_with("volmograph-cli record: Failed to Open ComPort: " + c.reason))
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  ::close(holder);
  EXPECT_FALSE(std::filesystem::exists(m_mtr));
  EXPECT_EQ(ReadFile(m_csv), "an earlier run's rows");
}

TEST_F(RecordCommand, WrongArgumentsFailWithOneLine) {
  for (const char* args :
       {"record", "record --out x.mtr", "record --port COM1", "record --port COM5 --out x.mtr",
        "record --port COM1 --out x.mtr --interval 3s",
        "record --port COM1 --out x.mtr --seconds 0", "record --port COM1 --out x.mtr extra",
        "record --port COM1 --out x.mtr --csv ./x.mtr"}) {
    const CliResult run = test::RunCli(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  const CliResult unwritable = test::RunCli("record --port COM1 --out /nonexistent/x.mtr");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err,
            "volmograph-cli record: cannot write /nonexistent/x.mtr: No such file or directory\n");
}

}  // namespace
}  // namespace volmograph
