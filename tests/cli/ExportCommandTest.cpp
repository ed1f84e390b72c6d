// Exports data files with the built volmograph-cli.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cli/CliRunner.h"
#include "files/TextDataFile.h"
#include "support/SampleLines.h"

namespace volmograph {
namespace {

using test::CliResult;
using test::ReadFile;
using test::RunCli;
using test::SampleLineOf;
using test::TempFolder;
using test::WriteFile;

CliResult Export(const std::string& in, const std::string& out) {
  return RunCli("export '" + in + "' --csv '" + out + "'");
}

TEST(ExportCommand, TextDataFileGivesOneUtf8RowALine) {
  TempFolder folder;
  // The meter's own bytes: 0xB5 micro, 0xB0 degree, 0xD9 omega in the Greek code page.
  WriteFile(folder / "run.mtr",
            WriteTextDataFile({
                SampleLineOf("12:00:00", "", " 12.5",
                             "\xB5"
                             "Adc",
                             "", "", "",
                             "mA / \xB5"
                             "A",
                             " 12.5"),
                SampleLineOf("12:00:01", "", " 21.4",
                             " \xB0"
                             "C",
                             "", " 70.5",
                             " \xB0"
                             "F",
                             "TEMP", " 21.4"),
                SampleLineOf("12:00:02", "rms", " 3.3", "k\xD9", "", "", "", "OHM, 4W", " 3.3"),
                SampleLineOf("12:00:03", "", " OVER ", " Vdc", "", "", "", "DCV", " 4.100"),
            }));
  const CliResult run = Export(folder / "run.mtr", folder / "run.csv");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFile(folder / "run.csv"),
            "time,value,unit,rms,second value,second unit,second rms,function,raw value\r\n"
            "12:00:00,12.5,\u00B5Adc,,,,,mA / \u00B5A,12.5\r\n"
            "12:00:01,21.4,\u00B0C,,70.5,\u00B0F,,TEMP,21.4\r\n"
            "12:00:02,3.3,k\u03A9,rms,,,,\"OHM, 4W\",3.3\r\n"
            "12:00:03,,Vdc,,,,,DCV,4.100\r\n");
}

TEST(ExportCommand, GraphFileGivesOneRowAByte) {
  TempFolder folder;
  const std::string graph = VOLMOGRAPH_VECTORS_DIR "/files/graph_golden.mtr";
  ASSERT_EQ(Export(graph, folder / "graph.csv").status, 0);
  const std::string csv = ReadFile(folder / "graph.csv");
  EXPECT_TRUE(csv.starts_with("index,byte\r\n0,")) << csv.substr(0, 40);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1025);
  // Field i of the file is bytes 16 + 4i .. 19 + 4i.
  const std::string file = ReadFile(graph);
  const std::size_t row = csv.find("\r\n1023,");
  ASSERT_NE(row, std::string::npos);
  EXPECT_EQ(std::stoi(csv.substr(row + 7)), std::stoi(file.substr(16 + 4 * 1023, 4)));
}

TEST(ExportCommand, BadInputGivesOneLineAndAStatus) {
  TempFolder folder;
  WriteFile(folder / "short.mtr", "GRAPH*1VTRX521.0   1   2");
  const struct {
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {"export", 2, "no data file given"},
      {"export a.mtr", 2, "no output file given"},
      {"export a.mtr --csv", 2, "--csv needs a value"},
      {"export a.mtr --csv x.csv --sep ';'", 2, "unknown option '--sep'"},
      {"export '" + folder / "none.mtr" + "' --csv x.csv", 1, "No such file or directory"},
      {"export /dev/zero --csv x.csv", 1, "Not a regular file"},
      {"export '" + folder / "short.mtr" + "' --csv '" + folder.Path().string() + "'", 1,
       "Is a directory"},
      // Damaged: what there is gets written, and the status says it is not all.
      {"export '" + folder / "short.mtr" + "' --csv '" + folder / "short.csv" + "'", 1,
       "1022 of 1024 picture bytes missing or unreadable, written as 0"},
  };
  for (const auto& c : cases) {
    const CliResult run = RunCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  EXPECT_TRUE(ReadFile(folder / "short.csv").starts_with("index,byte\r\n0,1\r\n1,2\r\n2,0\r\n"));
}

TEST(ExportCommand, DamagedTextDataFilesGiveTheirSoundRecordsAndStatusOne) {
  TempFolder folder;
  const std::string a = SampleLineOf("12:00:00", "", " 1.5", " Vdc", "", "", "", "DCV", " 1.5");
  const std::string b = SampleLineOf("12:00:01", "", " 1.6", " Vdc", "", "", "", "DCV", " 1.6");
  const std::string ab = WriteTextDataFile({a, b});
  const std::string rowA = "12:00:00,1.5,Vdc,,,,,DCV,1.5\r\n";
  const std::string rowB = "12:00:01,1.6,Vdc,,,,,DCV,1.6\r\n";
  std::string nulInLine = ab;
  nulInLine[68 + 20] = '\0';
  const struct {
    std::string name;
    std::string bytes;
    std::string message;  // empty: the file is sound
    std::string rows;
  } cases[] = {
      {"half.mtr", ab + ab.substr(0, 30), "record 3 of 3 is cut short (30 of 68 bytes)",
       rowA + rowB},
      {"x.mtr", ab + "X", "record 3 of 3 is cut short (1 of 68 bytes)", rowA + rowB},
      {"g.mtr", "G", "record 1 of 1 is cut short (1 of 68 bytes)", ""},
      {"zeros.mtr", ab.substr(0, 68) + std::string(68, '\0') + ab.substr(68),
       "record 2 of 3 is garbled (a NUL not right after an LF)", rowA + rowB},
      {"nul.mtr", nulInLine + std::string(1, '\0'),
       "record 2 of 3 is garbled (a NUL not right after an LF), and 1 more is damaged", rowA},
      {"lost.mtr", (ab + ab).erase(100, 1),
       "record 2 of 4 is out of step (a line end inside it: bytes lost or added before it), and "
       "2 more are damaged",
       rowA},
      // Every record the writer makes is sound: short (LF, NUL, filler), 67, cut to 68, and
      // a line of 66 read back with its LF.
      {"sound.mtr", WriteTextDataFile({a.substr(0, 61), b, a + "xyz", b.substr(0, 66) + "\n"}), "",
       "12:00:00,1.5,Vdc,,,,,DCV,\r\n" + rowB + rowA + rowB},
  };
  for (const auto& c : cases) {
    WriteFile(folder / c.name, c.bytes);
    const CliResult run = Export(folder / c.name, folder / "out.csv");
    EXPECT_EQ(run.status, c.message.empty() ? 0 : 1) << c.name;
    EXPECT_EQ(run.err, c.message.empty()
                           ? ""
                           : "volmograph-cli export: " + folder / c.name + ": " + c.message +
                                 "; damaged records left out of the CSV\n");
    EXPECT_EQ(
        ReadFile(folder / "out.csv"),
        "time,value,unit,rms,second value,second unit,second rms,function,raw value\r\n" + c.rows)
        << c.name;
  }
}

}  // namespace
}  // namespace volmograph
