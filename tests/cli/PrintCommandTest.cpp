// Prints data files with the built volmograph-cli: the pages of the dump and of the PDF.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "files/GraphFile.h"
#include "files/TextDataFile.h"
#include "support/SampleLines.h"

namespace volmograph {
namespace {

using test::CliResult;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using test::WriteFile;

std::string DcvFile(int lines) {
  std::vector<std::string> list;
  for (int i = 0; i < lines; ++i) {
    char value[8];
    std::snprintf(value, sizeof value, " %5.3f", 1.0 + i * 0.01);
    list.push_back(test::SampleLineOf("12:00:00", "", value, " Vdc", "", "", "", "DCV", value));
  }
  return WriteTextDataFile(list);
}

int Count(const std::string& text, const std::regex& pattern) {
  return static_cast<int>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), {}));
}

TEST(PrintCommand, EveryPageOfThePrintoutInTheDumpAndThePdf) {
  TempFolder folder;
  WriteFile(folder / "dcv.mtr", DcvFile(40));
  const std::array<std::uint8_t, kGraphImageSize> image{};
  WriteFile(folder / "wave.mtr", WriteGraphFile(image));
  const struct {
    std::string file;
    std::string mode;
    int pages;
    std::string onFirstPage;
  } cases[] = {
      // 35 lines on the first page of the text report, 45 after the graph page.
      {"dcv.mtr", "text", 2, "text 2000 -2500 \"Number of Samples  : 40\""},
      {"dcv.mtr", "line", 2, "lineto 11300 -13000"},
      {"dcv.mtr", "bar", 2, "pixel 1800 -9000 7F7F7F"},
      {"wave.mtr", "wave", 1, "brush 000000"},
  };
  for (const auto& c : cases) {
    const std::string pdf = folder / (c.mode + ".pdf");
    const CliResult run =
        RunCli("print '" + folder / c.file + "' --mode " + c.mode + " --pdf '" + pdf + "' --dump");
    ASSERT_EQ(run.status, 0) << c.mode << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with("page 1\nmapmode twips\n")) << run.out.substr(0, 40);
    EXPECT_EQ(Count(run.out, std::regex("(^|\n)page \\d+\n")), c.pages) << c.mode;
    EXPECT_NE(run.out.substr(0, run.out.find("page 2")).find(c.onFirstPage), std::string::npos)
        << c.mode;
    const std::string document = ReadFile(pdf);
    EXPECT_TRUE(document.starts_with("%PDF-")) << c.mode;
    EXPECT_EQ(Count(document, std::regex("/Type /Page\\b")), c.pages) << c.mode;
  }
}

TEST(PrintCommand, NothingToPrintOrBadArgumentsGiveOneLineAndNoPdf) {
  TempFolder folder;
  WriteFile(folder / "empty.mtr", "");
  WriteFile(folder / "dcv.mtr", DcvFile(3));
  WriteFile(folder / "half.mtr", DcvFile(3) + DcvFile(1).substr(0, 30));
  const std::string pdf = folder / "out.pdf";
  const struct {
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {"'" + folder / "empty.mtr" + "' --mode text", 1, "Data not exist !"},
      {"'" + folder / "half.mtr" + "' --mode text", 1,
       "half.mtr: Damaged data file!: Record 4 of 4 is cut short (30 of 68 bytes)"},
      {"'" + folder / "dcv.mtr" + "' --mode wave", 1, "has no waveform picture"},
      {"'" + folder / "none.mtr" + "'", 1, "No such file or directory"},
      {"'" + folder / "dcv.mtr" + "' --mode pie", 2, "--mode takes text, line, bar or wave"},
      {"'" + folder / "dcv.mtr" + "' --pdf", 2, "unexpected argument '--pdf'"},
      {"", 2, "no data file given"},
  };
  for (const auto& c : cases) {
    const CliResult run = RunCli("print " + c.args + (c.status == 2 ? "" : " --pdf '" + pdf + "'"));
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_FALSE(std::filesystem::exists(pdf)) << c.args;
  }
}

}  // namespace
}  // namespace volmograph
