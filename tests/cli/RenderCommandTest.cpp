// volmograph-cli render: each picture matches its golden PNG pixel for pixel, and the
// ways a render can fail are one-line messages with a non-zero status.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <string>

#include "cli/CliRunner.h"

namespace {

using volmograph::test::CliResult;
using volmograph::test::RunCli;

const std::string kVectors = VOLMOGRAPH_VECTORS_DIR;
const std::string kGolden = VOLMOGRAPH_GOLDEN_DIR "/render/";

class RenderCommand : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(m_png); }
  std::string m_png =
      (std::filesystem::temp_directory_path() / ("render_" + std::to_string(getpid()) + ".png"))
          .string();
};

struct GoldenCase {
  const char* input;
  const char* mode;
  const char* golden;
};

TEST_F(RenderCommand, PicturesMatchTheirGoldenImages) {
  const GoldenCase cases[] = {
      {"/render/dcv_ramp.mtr", "line", "dcv_ramp_line.png"},
      {"/render/dcv_ramp.mtr", "bar", "dcv_ramp_bar.png"},
      {"/replay/waveform_run.mtr", "wave", "waveform.png"},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.golden);
    const CliResult run =
        RunCli("render '" + kVectors + c.input + "' --mode " + c.mode + " --png '" + m_png + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage drawn =
        QImage(QString::fromStdString(m_png)).convertToFormat(QImage::Format_RGB32);
    const QImage golden =
        QImage(QString::fromStdString(kGolden + c.golden)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), QSize(453, 172));
    EXPECT_TRUE(drawn == golden)
        << "regenerate with scripts/regen-golden.sh if the change is meant";
  }
}

TEST_F(RenderCommand, FailuresAreOneLineWithAStatus) {
  const std::string empty = m_png + ".mtr";
  {
    std::FILE* f = std::fopen(empty.c_str(), "w");
    std::fclose(f);
  }
  struct Case {
    std::string args;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"'" + kVectors + "/replay/waveform_run.mtr' --mode line --png x.png", 1,
       "a graph file has no samples to plot"},
      {"'" + kVectors + "/render/dcv_ramp.mtr' --mode wave --png x.png", 1,
       "a text data file has no waveform picture"},
      {"'" + empty + "' --png x.png", 1, "Data not exist !"},
      {"/nonexistent.mtr --png x.png", 1, "No such file or directory"},
      {"'" + kVectors + "/render/dcv_ramp.mtr' --mode pie --png x.png", 2, "--mode takes"},
      {"'" + kVectors + "/render/dcv_ramp.mtr'", 2, "nothing to do"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const CliResult run = RunCli("render " + c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
  std::filesystem::remove(empty);
  EXPECT_FALSE(std::filesystem::exists("x.png"));
}

// A damaged file gets the words, the status and the missing output of print.
TEST_F(RenderCommand, DamagedFilesAreReportedAsPrintReportsThem) {
  volmograph::test::TempFolder folder;
  const std::string graph = volmograph::test::ReadFile(kVectors + "/replay/waveform_run.mtr");
  const std::string text = volmograph::test::ReadFile(kVectors + "/render/dcv_ramp.mtr");
  const struct {
    std::string bytes;
    std::string message;
  } cases[] = {
      {graph.substr(0, 16), "Damaged graph file!: 1024 of 1024 values missing"},
      {graph.substr(0, graph.size() - 4), "Damaged graph file!: 1 of 1024 values missing"},
      {"GRA" + std::string(4109, '#'), "Damaged graph file!: 1024 of 1024 values missing"},
      {text + "X", "Damaged data file!: Record 500 of 500 is cut short (1 of 68 bytes)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    volmograph::test::WriteFile(folder / "bad.mtr", c.bytes);
    const std::string file = "'" + folder / "bad.mtr" + "'";
    const CliResult render = RunCli("render " + file + " --png '" + folder / "bad.png" + "'");
    const CliResult print = RunCli("print " + file + " --pdf '" + folder / "bad.pdf" + "'");
    EXPECT_EQ(render.status, 1);
    EXPECT_EQ(print.status, 1);
    EXPECT_NE(render.err.find(c.message), std::string::npos) << render.err;
    EXPECT_EQ(render.err.substr(render.err.find(':')), print.err.substr(print.err.find(':')));
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.png"));
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.pdf"));
  }
}

TEST_F(RenderCommand, DumpListsTheDisplayListWithTheViewsMessages) {
  const CliResult run = RunCli("render '" + kVectors + "/render/dcv_ramp.mtr' --mode bar --dump");
  ASSERT_EQ(run.status, 0) << run.err;
  // Background, the scale of a DCV 40 V list, the title in the vertical font, a bar.
  for (const char* line :
       {"brush 00FF00\nbkmode transparent\nrect 0 0 453 172\n", "text 7 2 \"40.00\"\n",
        "text 2 125 \"-40.00\"\n",
        "font Courier New 13 10 900 600\ncharset greek\ntext 12 102 \"DCV[ Vdc]\"\n",
        "pixel 443 71 0000FF\nmoveto 443 71\nlineto 443 17\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
  const std::string empty = m_png + ".mtr";
  std::fclose(std::fopen(empty.c_str(), "w"));
  const CliResult nothing = RunCli("render '" + empty + "' --dump");
  std::filesystem::remove(empty);
  EXPECT_EQ(nothing.status, 1);
  EXPECT_EQ(nothing.out, "message \"Data not exist !\"\n");
}

}  // namespace
