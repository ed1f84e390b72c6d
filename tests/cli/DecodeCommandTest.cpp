// Runs the built volmograph-cli decode on the captured streams.

#include <gtest/gtest.h>

#include <string>

#include "cli/CliRunner.h"

namespace {

using volmograph::test::CliResult;
using volmograph::test::ReadFile;
using volmograph::test::RunCli;

const std::string kVectors = VOLMOGRAPH_VECTORS_DIR "/decode/";

TEST(DecodeCommand, ListsAFileAndStandardInputAlike) {
  for (const char* name : {"all_functions", "edge_values", "line_noise"}) {
    const std::string bin = kVectors + name + ".bin";
    const std::string expected = ReadFile(kVectors + name + ".expected");
    const CliResult fromFile = RunCli("decode '" + bin + "'");
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, expected) << name;
    EXPECT_EQ(fromFile.err, "");
    const CliResult fromStdin = RunCli("decode - <'" + bin + "'");
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, expected) << name;
  }
}

TEST(DecodeCommand, UnreadableInputIsOneLineAndStatusOne) {
  for (const std::string& path : {kVectors + "no_such_file.bin", kVectors}) {
    const CliResult run = RunCli("decode '" + path + "'");
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(DecodeCommand, UsageErrorsAndHelp) {
  EXPECT_EQ(RunCli("decode --bogus").status, 2);
  EXPECT_EQ(RunCli("decode a b").status, 2);
  const CliResult help = RunCli("decode --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: volmograph-cli decode [FILE]"), std::string::npos);
  const CliResult empty = RunCli("decode </dev/null");
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out.find('\n'), empty.out.size() - 1);  // the column titles only
}

}  // namespace
