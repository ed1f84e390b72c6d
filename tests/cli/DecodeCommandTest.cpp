// Runs the built volmograph-cli decode on the captured streams.

#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

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
  // A name that holds a line end and a terminal escape is shown, not obeyed.
  const std::string hostile = kVectors + "no\nsuch\x1b[31mred.bin";
  const CliResult shown = RunCli("decode '" + hostile + "'");
  EXPECT_EQ(shown.status, 1);
  EXPECT_EQ(shown.err.find_first_of("\x1b\n"), shown.err.size() - 1) << shown.err;
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
  // A terminal changes the bytes it passes on: a meter is read by 'record'.
  int master = -1;
  int slave = -1;
  char name[256] = {};
  ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
  for (const std::string& input : {std::string(name), "- <" + std::string(name)}) {
    const CliResult terminal = RunCli("decode " + input);
    EXPECT_EQ(terminal.status, 2) << input;
    EXPECT_NE(terminal.err.find("is a terminal"), std::string::npos) << terminal.err;
  }
  ::close(slave);
  ::close(master);
  const CliResult empty = RunCli("decode </dev/null");
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out.find('\n'), empty.out.size() - 1);  // the column titles only
}

}  // namespace
