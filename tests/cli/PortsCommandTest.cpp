// Runs the built volmograph-cli ports against settings files of our own.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "cli/CliRunner.h"

namespace {

using volmograph::test::CliResult;
using volmograph::test::ReadFile;
using volmograph::test::RunCli;
using volmograph::test::TempFolder;
using volmograph::test::WriteFile;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PortsCommand, ShowsTheMappingOfTheSettingsFileWithoutWritingIt) {
  TempFolder folder;
  const std::string ini = folder / "volmograph.ini";
  const std::string text =
      "[COMM]\nPort=3\n[Ports]\nCOM1=\nCOM4=/dev/null\nTELNET=192.0.2.7:4001\n";
  WriteFile(ini, text);
  ::setenv("VOLMOGRAPH_INI", ini.c_str(), 1);
  const CliResult run = RunCli("ports");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Has(run.out, "Serial devices:\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "Ports of " + ini + ":\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "  COM1    (none)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "  COM2    /dev/ttyS1")) << run.out;
  EXPECT_TRUE(Has(run.out, "  COM4    /dev/null   <- chosen (section [COMM], Port)\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "  TELNET  192.0.2.7:4001\n")) << run.out;
  EXPECT_EQ(ReadFile(ini), text);

  const std::string absent = folder / "absent.ini";
  ::setenv("VOLMOGRAPH_INI", absent.c_str(), 1);
  const CliResult fresh = RunCli("ports");
  ::unsetenv("VOLMOGRAPH_INI");
  EXPECT_EQ(fresh.status, 0) << fresh.err;
  EXPECT_TRUE(Has(fresh.out, absent + " (no such file yet)")) << fresh.out;
  EXPECT_TRUE(Has(fresh.out, "  COM2    /dev/ttyS1")) << fresh.out;
  EXPECT_FALSE(std::filesystem::exists(absent));
  EXPECT_FALSE(Has(fresh.out, "Problem:")) << fresh.out;

  const std::string folderNamed = folder / "folder.ini";
  std::filesystem::create_directory(folderNamed);
  ::setenv("VOLMOGRAPH_INI", folderNamed.c_str(), 1);
  const CliResult unreadable = RunCli("ports");
  ::unsetenv("VOLMOGRAPH_INI");
  EXPECT_EQ(unreadable.status, 0) << unreadable.err;
  EXPECT_TRUE(Has(unreadable.out,
                  "  Problem: " + folderNamed + ": not a regular file; the defaults are used\n"))
      << unreadable.out;
}

TEST(PortsCommand, HelpAndUsage) {
  const CliResult help = RunCli("ports --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Has(help.out, "usage: volmograph-cli ports\n"));
  const CliResult wrong = RunCli("ports /dev/ttyUSB0");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_TRUE(Has(wrong.err, "usage: volmograph-cli ports\n"));
  EXPECT_EQ(wrong.out, "");
}

}  // namespace
