// Replays captured streams through the view with the built volmograph-cli and compares the
// listed lines and the saved data file byte for byte with the checked-in results.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/CliRunner.h"

namespace {

using volmograph::test::CliResult;
using volmograph::test::ReadFile;
using volmograph::test::RunCli;

const std::string kVectors = VOLMOGRAPH_VECTORS_DIR "/replay/";

class ReplayCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    m_out =
        (std::filesystem::temp_directory_path() / ("replay_" + std::to_string(getpid()) + ".mtr"))
            .string();
  }
  void TearDown() override { std::filesystem::remove(m_out); }

  CliResult Replay(const std::string& name, const std::string& options) {
    return RunCli("replay '" + kVectors + name + ".bin' --out '" + m_out + "' " + options);
  }

  std::string m_out;
};

TEST_F(ReplayCommand, TextRunMatchesTheGoldenListAndFile) {
  const CliResult run = Replay("dcv_run", "--start 12:00:00");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, ReadFile(kVectors + "dcv_run.stdout"));
  EXPECT_EQ(ReadFile(m_out), ReadFile(kVectors + "dcv_run.mtr"));
}

TEST_F(ReplayCommand, WaveformEndsTheRunAndSavesAGraphFile) {
  const CliResult run = Replay("waveform_run", "--interval 500ms --start 23:59:58");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, ReadFile(kVectors + "waveform_run.stdout"));
  const std::string saved = ReadFile(m_out);
  EXPECT_EQ(saved.size(), 4112u);
  EXPECT_EQ(saved.substr(0, 16), "GRAPH*1VTRX521.0");
  EXPECT_EQ(saved, ReadFile(kVectors + "waveform_run.mtr"));
}

TEST_F(ReplayCommand, ChunkSizeChangesPacingNotContent) {
  // Twice the bytes per tick: the meter seems twice as fast, so every listed line is a
  // line of the same run, and there are fewer of them per second of capture.
  const CliResult run = Replay("dcv_run", "--bytes-per-tick 96 --interval 16");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(run.out.empty());
  for (std::size_t start = 0; start < run.out.size();) {
    const std::size_t end = run.out.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(end - start, 67u) << run.out.substr(start, end - start);
    start = end + 1;
  }
}

TEST_F(ReplayCommand, BadArgumentsAndUnreadableCapturesFailWithOneLine) {
  for (const std::string& args :
       {std::string("replay"), std::string("replay x.bin"), std::string("replay x --out"),
        "replay '" + kVectors + "dcv_run.bin' --out /tmp/x.mtr --interval 3min",
        "replay '" + kVectors + "dcv_run.bin' --out /tmp/x.mtr --start 25:00:00",
        "replay '" + kVectors + "dcv_run.bin' --out /tmp/x.mtr --bytes-per-tick 0"}) {
    const CliResult run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  const CliResult missing = Replay("no_such_capture", "");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(m_out));
}

TEST_F(ReplayCommand, UnwritableOutputIsReportedInOneLineAndKept) {
  const CliResult run = RunCli("replay '" + kVectors + "dcv_run.bin' --out /nonexistent-dir/x.mtr");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      run.err,
      "volmograph-cli replay: cannot write /nonexistent-dir/x.mtr: No such file or directory\n");

  // The save goes through the view's Save: a write-protected file stays as it was.
  volmograph::test::WriteFile(m_out, "kept");
  std::filesystem::permissions(m_out, std::filesystem::perms::owner_read);
  const CliResult locked = Replay("dcv_run", "");
  EXPECT_EQ(locked.status, 1);
  EXPECT_EQ(locked.err, "volmograph-cli replay: cannot write " + m_out + ": Permission denied\n");
  EXPECT_EQ(ReadFile(m_out), "kept");
}

TEST_F(ReplayCommand, FramelessBytesAndACutWaveformAreTold) {
  const std::string junk = m_out + ".bin";
  volmograph::test::WriteFile(junk, std::string(2000, 'x'));
  const CliResult frameless = RunCli("replay '" + junk + "' --out '" + m_out + "'");
  EXPECT_EQ(frameless.err,
            "volmograph-cli replay: No meter frame in the bytes received: check that the meter "
            "sends at 9600 baud, 8N1, on this port (" +
                junk + ")\n");

  const std::string capture = ReadFile(kVectors + "waveform_run.bin");
  const std::size_t transfer = capture.find("\x02Z");
  ASSERT_NE(transfer, std::string::npos);
  volmograph::test::WriteFile(junk, capture.substr(0, transfer + 700));
  const CliResult cut = RunCli("replay '" + junk + "' --out '" + m_out + "'");
  std::filesystem::remove(junk);
  EXPECT_EQ(cut.status, 0);
  EXPECT_EQ(cut.err,
            "volmograph-cli replay: the capture ends inside a waveform transfer (700 of at least "
            "1000 bytes); no waveform was taken\n");
}

TEST_F(ReplayCommand, CsvHoldsEveryListedLineAndEndsAsTheExportOfTheSavedFile) {
  const std::string csv = m_out + ".csv";
  const CliResult run = Replay("dcv_run", "--start 12:00:00 --csv '" + csv + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string rows = ReadFile(csv);
  std::filesystem::remove(csv);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'),
            std::count(run.out.begin(), run.out.end(), '\n') + 1);
  // The list was emptied when the function changed; the CSV kept the lines before.
  ASSERT_EQ(RunCli("export '" + m_out + "' --csv '" + csv + "'").status, 0);
  const std::string exported = ReadFile(csv);
  std::filesystem::remove(csv);
  const std::string exportedRows = exported.substr(exported.find('\n') + 1);
  EXPECT_LT(exportedRows.size(), rows.size());
  EXPECT_TRUE(rows.ends_with(exportedRows)) << rows;
}

TEST_F(ReplayCommand, OutputNameIsTakenAsGiven) {
  m_out.resize(m_out.size() - 4);  // no extension: none is added
  const CliResult run = Replay("dcv_run", "--start 12:00:00");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(m_out), ReadFile(kVectors + "dcv_run.mtr"));
}

}  // namespace
