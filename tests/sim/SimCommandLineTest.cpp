#include "sim/SimCommandLine.h"

#include <gtest/gtest.h>

namespace volmograph {
namespace {

bool Parse(std::vector<std::string> args, SimCommandLine& out, std::string& error) {
  return ParseSimCommandLine(args, out, error);
}

TEST(SimCommandLine, ReadsTheMeterOptions) {
  SimCommandLine cmd;
  std::string error;
  ASSERT_TRUE(Parse({"--function",
                     "E",
                     "--value=2200",
                     "--range",
                     "2",
                     "--drift",
                     "-1.5",
                     "--noise",
                     "3",
                     "--over",
                     "--seed",
                     "99",
                     "--waveform-after",
                     "4",
                     "--switch",
                     "5:A,10:B/r1/v=2.5",
                     "--switch=12:over,14:ok/r=auto",
                     "--seconds",
                     "20",
                     "--link",
                     "/tmp/meter"},
                    cmd, error))
      << error;
  const SimSettings& s = cmd.options.start;
  EXPECT_EQ(s.function, 'E');
  EXPECT_EQ(s.value, 2200.0);
  EXPECT_EQ(s.range, 2);
  EXPECT_EQ(s.drift, -1.5);
  EXPECT_EQ(s.noise, 3.0);
  EXPECT_TRUE(s.over);
  EXPECT_EQ(cmd.options.seed, 99u);
  EXPECT_EQ(cmd.options.waveformAfter, 4.0);
  EXPECT_EQ(cmd.seconds, 20.0);
  EXPECT_EQ(cmd.linkPath, "/tmp/meter");
  ASSERT_EQ(cmd.options.schedule.size(), 4u);
  const SimSwitch& b = cmd.options.schedule[1];
  EXPECT_EQ(b.atSeconds, 10.0);
  EXPECT_EQ(b.function, 'B');
  EXPECT_EQ(b.range, 1);
  EXPECT_EQ(b.value, 2.5);
  EXPECT_FALSE(b.over.has_value());
  EXPECT_EQ(cmd.options.schedule[2].over, true);
  EXPECT_EQ(cmd.options.schedule[3].over, false);
  EXPECT_EQ(cmd.options.schedule[3].range, kAutoRange);
}

TEST(SimCommandLine, OutputsAndReplay) {
  SimCommandLine cmd;
  std::string error;
  ASSERT_TRUE(Parse({"--function", "B", "--seconds", "10", "--raw-out", "x.bin"}, cmd, error));
  EXPECT_EQ(cmd.rawOut, "x.bin");
  cmd = {};
  ASSERT_TRUE(Parse({"--stdout", "--seconds", "1"}, cmd, error));
  EXPECT_EQ(cmd.rawOut, "-");
  cmd = {};
  // A replay that ends by itself needs no duration.
  ASSERT_TRUE(Parse({"--replay", "in.bin", "--stdout"}, cmd, error)) << error;
  EXPECT_EQ(cmd.replayPath, "in.bin");
  cmd = {};
  ASSERT_TRUE(Parse({"--help"}, cmd, error));
  EXPECT_TRUE(cmd.help);
  EXPECT_NE(SimUsage().find("  T  self test"), std::string::npos);
}

TEST(SimCommandLine, RejectsBadArgumentsWithOneLine) {
  const std::vector<std::vector<std::string>> bad = {
      {"--function", "Z"},
      {"--function"},
      {"--range", "7"},
      {"--function", "G", "--range", "1"},
      {"--range", "x"},
      {"--value", "12abc"},
      {"--value", "nan"},
      {"--noise", "-1"},
      {"--seconds", "0"},
      {"--seed", "-4"},
      {"--switch", "5"},
      {"--switch", "5:Q/r9"},
      {"--switch", "x:E"},
      {"--switch", "-1:E"},
      {"--switch", "5:E,"},
      {"--switch", "5:E/bogus"},
      {"--over=yes"},
      {"--stdout"},
      {"--stdout", "--seconds", "1", "--link", "/tmp/x"},
      {"--replay", "f.bin", "--function", "A"},
      {"--replay", "f.bin", "--loop", "--stdout"},
      {"--loop"},
      {"--replay", ""},
      {"--frobnicate"},
      {"positional"},
  };
  for (const auto& args : bad) {
    SimCommandLine cmd;
    std::string error;
    std::string joined;
    for (const auto& a : args) {
      joined += a + " ";
    }
    EXPECT_FALSE(Parse(args, cmd, error)) << joined;
    EXPECT_FALSE(error.empty()) << joined;
    EXPECT_EQ(error.find('\n'), std::string::npos) << joined;
  }
}

}  // namespace
}  // namespace volmograph
