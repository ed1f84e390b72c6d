#include "files/TextDataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "FileTestSupport.h"

namespace volmograph {
namespace {

// A 67-character sample line, column by column; the unit and label carry the micro sign.
std::string SampleLine(int second) {
  std::string time = " 14:03:" + std::string(second < 10 ? "0" : "") + std::to_string(second);
  return time + "  " + "rms" + " " + " 1.234" + "\xB5" + "Aac" + " " + "   " + " " + "      " +
         "    " + " " + "mA / \xB5" + "A [AC]        " + " 1.234";
}

std::vector<std::string> GoldenLines() {
  std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!@#$%^&*";
  return {SampleLine(27),
          std::string(" 14:03:28") + "  " + "   " + " " + " OVER " + "  V " + " " + "   " + " " +
              "  50.0" + " Hz " + " " + "DCV                 " + "0.L   ",
          "short",
          "",
          std::string(66, 'x'),
          alphabet};
}

struct StreamedLines {
  std::vector<std::string> lines;
  TextReadResult result;
};

StreamedLines Stream(const std::string& path, std::size_t maxLines = kTextLineCap) {
  StreamedLines out;
  out.result = ReadTextDataFile(
      path, [&](const std::string& line) { out.lines.push_back(line); }, maxLines);
  return out;
}

TEST(TextDataFile, MatchesTheGoldenFileBothWays) {
  std::vector<std::string> lines = GoldenLines();
  ASSERT_EQ(SampleLine(27).size(), 67u);
  ASSERT_EQ(lines[1].size(), 67u);
  ASSERT_EQ(lines[5].size(), 70u);
  std::string golden = test::VectorFile("text_golden.mtr");
  EXPECT_EQ(WriteTextDataFile(lines), golden);

  std::vector<std::string> expected = {lines[0], lines[1],        "short\n",
                                       "\n",     lines[4] + "\n", lines[5].substr(0, 67)};
  EXPECT_EQ(ReadTextDataFile(golden), expected);
}

TEST(TextDataFile, EachLineLengthGivesOneRecordAndItsReadBackRule) {
  for (std::size_t n : {0, 1, 2, 65, 66, 67, 68, 69, 200}) {
    std::string line(n, '\xB5');
    std::string file = WriteTextDataFile({line, line});
    ASSERT_EQ(file.size(), 2 * kTextRecordSize) << "n = " << n;
    std::string record = file.substr(0, kTextRecordSize);
    if (n <= 65) {
      // LF, NUL, and the filler we write as zeros.
      EXPECT_EQ(record.substr(n + 1), std::string(67 - n, '\0')) << "n = " << n;
    }
    std::string expected = n <= 66 ? line + "\n" : line.substr(0, 67);
    EXPECT_EQ(ReadTextDataFile(file), std::vector<std::string>(2, expected)) << "n = " << n;
  }
}

TEST(TextDataFile, EmptyListEmptyFileEmptyList) {
  EXPECT_EQ(WriteTextDataFile({}), "");
  EXPECT_TRUE(ReadTextDataFile("").empty());

  test::TempFolder folder;
  test::WriteFile(folder / "empty.mtr", "");
  StreamedLines streamed = Stream(folder / "empty.mtr");
  EXPECT_TRUE(streamed.lines.empty());
  EXPECT_TRUE(streamed.result.Ok());
}

TEST(TextDataFile, PartialFinalRecordAndNulAtRecordStart) {
  std::string file = WriteTextDataFile({SampleLine(1)});
  file += std::string(68, '\0');     // a record that begins with NUL: an empty line
  file += std::string("ab\0cd", 5);  // a partial record: its bytes up to the NUL
  std::vector<std::string> expected = {SampleLine(1), "", "ab"};
  EXPECT_EQ(ReadTextDataFile(file), expected);

  test::TempFolder folder;
  test::WriteFile(folder / "partial.mtr", file);
  StreamedLines streamed = Stream(folder / "partial.mtr");
  EXPECT_EQ(streamed.lines, expected);
  EXPECT_TRUE(streamed.result.partialRecord);
  EXPECT_TRUE(streamed.result.Ok());

  // 67 bytes without a NUL: the whole partial record is the line.
  EXPECT_EQ(ReadTextDataFile(std::string(67, 'p')), std::vector<std::string>{std::string(67, 'p')});
  // A partial record empty up to its NUL holds nothing and gives no line.
  const std::string emptyTail = WriteTextDataFile({"a"}) + std::string("\0cd", 3);
  EXPECT_EQ(ReadTextDataFile(emptyTail), std::vector<std::string>{"a\n"});
  test::WriteFile(folder / "tail.mtr", emptyTail);
  EXPECT_EQ(Stream(folder / "tail.mtr").lines, std::vector<std::string>{"a\n"});
}

TEST(TextDataFile, StreamingLoadsEveryRecordUpToTheCapAndCountsTheRest) {
  // Enough records for several reads of the streaming reader.
  std::vector<std::string> lines;
  for (int i = 0; i < 2500; ++i) {
    lines.push_back(SampleLine(i % 60));
  }
  test::TempFolder folder;
  test::WriteFile(folder / "long.mtr", WriteTextDataFile(lines) + "tail");
  lines.push_back("tail");

  StreamedLines all = Stream(folder / "long.mtr");
  EXPECT_EQ(all.lines, lines);  // more than a live run's 499 lines: every record loads
  EXPECT_TRUE(all.result.partialRecord);
  EXPECT_TRUE(all.result.Ok());
  EXPECT_FALSE(Stream(folder / "long.mtr", 2501).result.capped);

  for (std::size_t cap : {0, 1, 959, 960, 961, 2500}) {
    StreamedLines capped = Stream(folder / "long.mtr", cap);
    EXPECT_EQ(capped.lines, std::vector<std::string>(lines.begin(), lines.begin() + cap));
    EXPECT_TRUE(capped.result.capped) << cap;
    EXPECT_EQ(capped.result.recordsLeftOut, 2501 - cap) << cap;
    EXPECT_FALSE(capped.result.Ok());
  }
}

TEST(TextDataFile, StreamingGathersRecordsThatArriveInPieces) {
  std::string file = test::VectorFile("text_golden.mtr");
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  std::thread writer([&] {
    for (std::size_t offset = 0; offset < file.size(); offset += 5) {
      std::string piece = file.substr(offset, 5);
      ASSERT_EQ(::write(pipeFds[1], piece.data(), piece.size()),
                static_cast<ssize_t>(piece.size()));
    }
    ::close(pipeFds[1]);
  });
  std::vector<std::string> lines;
  TextReadResult result =
      ReadTextDataFile(pipeFds[0], [&](const std::string& line) { lines.push_back(line); });
  writer.join();
  ::close(pipeFds[0]);
  EXPECT_EQ(lines, ReadTextDataFile(file));
  EXPECT_TRUE(result.Ok());
}

TEST(TextDataFile, StreamingReportsFilesThatCannotBeRead) {
  test::TempFolder folder;
  StreamedLines missing = Stream(folder / "missing.mtr");
  EXPECT_EQ(missing.result.error, "No such file or directory");
  EXPECT_TRUE(missing.lines.empty());

  EXPECT_EQ(Stream(folder.Path().string()).result.error, "Is a directory");

  // A FIFO without a writer would block a plain open; it is refused at once instead.
  ASSERT_EQ(::mkfifo((folder / "fifo.mtr").c_str(), 0600), 0);
  StreamedLines fifo = Stream(folder / "fifo.mtr");
  EXPECT_EQ(fifo.result.error, "Not a regular file");
  EXPECT_TRUE(fifo.lines.empty());
}

}  // namespace
}  // namespace volmograph
