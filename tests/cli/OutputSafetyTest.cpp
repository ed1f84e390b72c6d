// No command's output may replace one of its inputs: the user's data is worth more than
// any file made from it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "files/TextDataFile.h"
#include "support/SampleLines.h"

namespace volmograph {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using test::WriteFile;

TEST(OutputSafety, AnOutputNamingAnInputIsRefusedAndTheInputKept) {
  TempFolder folder;
  const std::string data = folder / "run.mtr";
  const std::string capture = folder / "capture.bin";
  const std::string dataBytes = WriteTextDataFile(
      {test::SampleLineOf("12:00:00", "", " 1.234", "Vdc", "", "", "", "DCV", " 1.234")});
  WriteFile(data, dataBytes);
  WriteFile(capture,
            "\x02"
            "B 1.234 VDC  0000000    \r");
  std::filesystem::create_hard_link(data, folder / "link.mtr");
  const std::string link = folder / "link.mtr";
  const std::string relative = folder / "sub/../run.mtr";
  std::filesystem::create_directory(folder / "sub");

  const std::vector<std::string> commands{
      "export '" + data + "' --csv '" + relative + "'",
      "export '" + data + "' --csv '" + link + "'",
      "render '" + data + "' --png '" + data + "'",
      "print '" + link + "' --pdf '" + data + "'",
      "replay '" + capture + "' --out '" + capture + "'",
      "replay '" + capture + "' --out '" + folder / "new.mtr" + "' --csv '" + capture + "'",
  };
  for (const std::string& command : commands) {
    const test::CliResult result = RunCli(command);
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_NE(result.err.find("itself, which it would replace"), std::string::npos)
        << command << "\n"
        << result.err;
    EXPECT_EQ(ReadFile(data), dataBytes) << command;
    EXPECT_EQ(ReadFile(capture).size(), 26u) << command;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "new.mtr"));
}

}  // namespace
}  // namespace volmograph
