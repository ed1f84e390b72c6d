// Open and Save through the view's commands, with scripted file dialogs and real files.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <numeric>

#include "ViewHarness.h"
#include "files/GraphFile.h"
#include "files/TextDataFile.h"
#include "support/TestFiles.h"
#include "view/ViewText.h"

namespace volmograph::test {
namespace {

namespace fs = std::filesystem;

// A 67-character sample line ending in `mark`, with a micro sign as the list holds it.
std::string Line67(char mark) {
  std::string line = " 12:00:00     1.234\xB5V";
  line.resize(66, ' ');
  return line + mark;
}

// Everything Open and Save may change.
struct Snapshot {
  std::string name;
  std::string pane;
  int mode = 0;
  int shown = 0;
  int recorded = 0;
  int unsaved = 0;
  std::vector<std::string> lines;
  std::vector<std::uint8_t> waveform;
  std::vector<std::string> messages;  // text, then detail after " | "
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
  friend void PrintTo(const Snapshot& s, std::ostream* out) {
    *out << s.name << "/" << s.pane << " mode " << s.mode << "/" << s.shown << " recorded "
         << s.recorded << " unsaved " << s.unsaved << ", " << s.lines.size() << " lines, "
         << testing::PrintToString(s.messages);
  }
};

Snapshot Take(ViewRig& rig) {
  CKeloView& v = rig.V();
  Snapshot s{v.m_szFileName,
             rig.Hp().m_statusBar.Pane(pane::kFileName),
             v.m_displayMode,
             v.m_waveformShown,
             v.m_recordedLines,
             v.m_unsaved,
             {rig.Lines().begin(), rig.Lines().end()},
             {std::begin(v.m_waveform), std::end(v.m_waveform)},
             {}};
  for (const auto& message : rig.Messages()) {
    s.messages.push_back(message.text + " | " + message.detail);
  }
  return s;
}

// A view stopped after a run in bar-graph mode: two lines, a picture, unsaved.
void StopAfterARun(ViewRig& rig) {
  rig.Hp().m_list.Add(Line67('1'));
  rig.Hp().m_list.Add(Line67('2'));
  std::fill(std::begin(rig.V().m_waveform), std::end(rig.V().m_waveform), 0x5A);
  rig.V().SetDisplayMode(4);
  rig.V().m_unsaved = 1;
  rig.V().m_recordedLines = 2;
}

// Open and Save of a file the user types (or, not `typed`, picks) in the dialog.
void Open(ViewRig& rig, const std::string& path, bool typed = true) {
  rig.Hp().m_dialogs.ScriptOpenFile({path, typed});
  rig.Command(cmd::kOpen);
}

void Save(ViewRig& rig, const std::string& path) {
  rig.Hp().m_dialogs.ScriptSaveFile({path});
  rig.Command(cmd::kSave);
}

std::array<std::uint8_t, kGraphImageSize> EveryByteValue() {
  std::array<std::uint8_t, kGraphImageSize> image;
  std::iota(image.begin(), image.end(), std::uint8_t{0});  // 0..255, four times
  return image;
}

TEST(ViewDataFiles, StateTableOfOpenAndSave) {
  TempFolder folder;
  const auto image = EveryByteValue();
  WriteFile(folder / "pic.mtr", WriteGraphFile(image));
  WriteFile(folder / "list.mtr", WriteTextDataFile({Line67('a'), "short", Line67('c')}));

  struct Row {
    const char* event;
    std::function<void(ViewRig&)> act;
    std::function<void(Snapshot&)> expect;  // turns the state before into the state after
    std::string savedBytes = {};            // what save.mtr must hold afterwards, if anything
  };
  const std::vector<Row> rows = {
      {"Open, dialog cancelled", [](ViewRig& r) { r.Command(cmd::kOpen); }, [](Snapshot&) {}},
      {"Open of a graph file", [&](ViewRig& r) { Open(r, folder / "pic.mtr"); },
       [&](Snapshot& s) {
         s.name = s.pane = "pic.mtr";
         s.mode = 2;
         s.shown = 1;
         s.waveform.assign(image.begin(), image.end());
       }},
      {"Open of a text data file", [&](ViewRig& r) { Open(r, folder / "list.mtr"); },
       [](Snapshot& s) {
         s.name = s.pane = "list.mtr";
         s.mode = 3;
         s.shown = 0;
         s.recorded = 3;
         s.lines = {Line67('a'), "short\n", Line67('c')};
       }},
      {"Save, dialog cancelled", [](ViewRig& r) { r.Command(cmd::kSave); }, [](Snapshot&) {}},
      {"Save, file not created", [&](ViewRig& r) { Save(r, folder / "missing/save.mtr"); },
       [](Snapshot& s) { s.messages = {"File Save Error! | No such file or directory"}; }},
      {"Save in mode 2",
       [&](ViewRig& r) {
         r.V().SetDisplayMode(2);
         std::copy(image.begin(), image.end(), r.V().m_meter.m_capture.begin());
         Save(r, folder / "save.mtr");
       },
       [](Snapshot& s) {
         s.name = s.pane = "save.mtr";
         s.mode = 2;
         s.shown = 1;
         s.recorded = 0;
         s.unsaved = 0;
       },
       WriteGraphFile(image)},
      {"Open of a graph file, then Save: the picture shown is saved",
       [&](ViewRig& r) {
         Open(r, folder / "pic.mtr");
         Save(r, folder / "save.mtr");
       },
       [&](Snapshot& s) {
         s.name = s.pane = "save.mtr";
         s.mode = 2;
         s.shown = 1;
         s.waveform.assign(image.begin(), image.end());
         s.recorded = 0;
         s.unsaved = 0;
       },
       WriteGraphFile(image)},
      {"Save in any other mode", [&](ViewRig& r) { Save(r, folder / "save.mtr"); },
       [](Snapshot& s) {
         s.name = s.pane = "save.mtr";
         s.unsaved = 0;
       },
       WriteTextDataFile({Line67('1'), Line67('2')})},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.event);
    fs::remove(folder / "save.mtr");
    ViewRig rig;
    StopAfterARun(rig);
    Snapshot expected = Take(rig);
    row.act(rig);
    row.expect(expected);
    EXPECT_EQ(Take(rig), expected);
    if (!row.savedBytes.empty()) {
      EXPECT_EQ(ReadFile(folder / "save.mtr"), row.savedBytes);
    }
  }
}

TEST(ViewDataFiles, RoundTripsAndEmptyFiles) {
  TempFolder folder;
  ViewRig rig;
  for (const std::string& line : {Line67('x'), std::string(), std::string(80, '\xB5')}) {
    rig.Hp().m_list.Add(line);
  }
  rig.V().m_unsaved = 1;
  Save(rig, folder / "list");  // typed without extension: "mtr" is appended
  ViewRig other;
  other.Hp().m_list.SetFont({});
  Open(other, folder / "list.mtr");
  EXPECT_EQ(other.Lines(), (std::deque<std::string>{Line67('x'), "\n", std::string(67, '\xB5')}));
  EXPECT_EQ(other.Hp().m_list.Selected(), 2);  // the last line, in view
  EXPECT_EQ(other.Hp().m_list.Font(), other.V().m_fontList);
  EXPECT_TRUE(other.Hp().m_list.RedrawEnabled());

  // Before any capture the capture buffer holds zeros, and so does the graph file.
  ViewRig fresh;
  fresh.V().SetDisplayMode(2);
  fresh.V().m_unsaved = 1;
  Save(fresh, folder / "zeros.mtr");
  EXPECT_EQ(ReadFile(folder / "zeros.mtr"), WriteGraphFile(std::array<std::uint8_t, 1024>{}));
  // An empty list saves as an empty file, which opens as an empty list in line-graph mode.
  fresh.V().SetDisplayMode(1);
  fresh.V().m_unsaved = 1;
  Save(fresh, folder / "empty.mtr");
  Open(other, folder / "empty.mtr");
  EXPECT_TRUE(other.Lines().empty());
  EXPECT_EQ(other.V().m_displayMode, 3);
  EXPECT_EQ(other.V().m_recordedLines, 0);
  EXPECT_TRUE(rig.Messages().empty() && other.Messages().empty() && fresh.Messages().empty());
}

// Runs `body` in a child process and returns its exit code.
int InChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(ViewDataFiles, FailedWriteIsReportedAndKeepsTheOldFileAndSaveEnabled) {
  TempFolder folder;
  WriteFile(folder / "run.mtr", "old contents");
  // A file-size limit makes the write stop part way, as a full disk would.
  const int exitCode = InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ViewRig rig;
    StopAfterARun(rig);
    for (int i = 0; i < 100; ++i) {
      rig.Hp().m_list.Add(Line67('w'));
    }
    Save(rig, folder / "run.mtr");
    const auto messages = Take(rig).messages;
    return messages == std::vector<std::string>{"File Save Error! | File too large"} &&
                   rig.V().QueryCommand(cmd::kSave).enabled
               ? 0
               : 1;
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(ReadFile(folder / "run.mtr"), "old contents");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"run.mtr"});
}

TEST(ViewDataFiles, SaveNeverReplacesWhatCouldNotBeOverwrittenInPlace) {
  TempFolder folder;
  WriteFile(folder / "locked.mtr", "kept");
  ::chmod((folder / "locked.mtr").c_str(), 0444);  // root passes access(): the bits decide
  ASSERT_EQ(::mkfifo((folder / "fifo.mtr").c_str(), 0600), 0);
  fs::create_symlink("fifo.mtr", folder / "tofifo.mtr");
  fs::create_directory(folder / "dir.mtr");
  std::vector<std::pair<std::string, std::string>> refusals = {
      {"locked.mtr", "Permission denied"},
      {"fifo.mtr", "Not a regular file"},
      {"tofifo.mtr", "Not a regular file"},
      {"dir.mtr", "Is a directory"},
  };
  // A device node of our own (as /dev/null), where allowed: never a real one in /dev.
  if (::mknod((folder / "null.mtr").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    refusals.push_back({"null.mtr", "Not a regular file"});
  }
  for (const auto& [name, reason] : refusals) {
    ViewRig rig;
    StopAfterARun(rig);
    Save(rig, folder / name);
    EXPECT_EQ(Take(rig).messages, std::vector<std::string>{"File Save Error! | " + reason});
    EXPECT_EQ(rig.V().m_unsaved, 1) << name;
  }
  EXPECT_EQ(ReadFile(folder / "locked.mtr"), "kept");
  EXPECT_TRUE(fs::is_fifo(folder / "fifo.mtr"));
  EXPECT_TRUE(fs::is_symlink(folder / "tofifo.mtr"));
  EXPECT_FALSE(fs::is_regular_file(folder / "null.mtr"));

  // A link is followed: the file it names is replaced and the link stays.
  WriteFile(folder / "real.mtr", "old");
  fs::create_symlink("real.mtr", folder / "link.mtr");
  ViewRig rig;
  StopAfterARun(rig);
  Save(rig, folder / "link.mtr");
  EXPECT_TRUE(fs::is_symlink(folder / "link.mtr"));
  EXPECT_EQ(ReadFile(folder / "real.mtr"), WriteTextDataFile({Line67('1'), Line67('2')}));
  EXPECT_EQ(std::string(rig.V().m_szFileName), "link.mtr");
  // A dangling link: the file it names is created.
  fs::create_symlink("later.mtr", folder / "dangling.mtr");
  rig.V().m_unsaved = 1;
  Save(rig, folder / "dangling.mtr");
  EXPECT_TRUE(fs::is_symlink(folder / "dangling.mtr"));
  EXPECT_EQ(ReadFile(folder / "later.mtr"), ReadFile(folder / "real.mtr"));
}

TEST(ViewDataFiles, OpenWhilePausedEndsTheRunSoNothingJoinsTheFile) {
  TempFolder folder;
  WriteFile(folder / "old.mtr", WriteTextDataFile({Line67('o')}));
  ViewRig rig;
  rig.StartPrimed(Dcv(" 1.000"));
  rig.Record(Dcv(" 1.000"));
  rig.Command(cmd::kPause);
  Open(rig, folder / "old.mtr");
  EXPECT_EQ(rig.V().m_running, 0);
  EXPECT_FALSE(rig.Line().open);
  rig.Command(cmd::kStart);  // a new run, not the paused one resumed
  rig.Record(Dcv(" 2.000"));
  rig.Record(Dcv(" 2.000"));
  ASSERT_EQ(rig.Lines().size(), 1u);
  EXPECT_EQ(rig.Lines().front().substr(15, 6), " 2.000");
  EXPECT_EQ(std::string(rig.V().m_szFileName), "NONAME");
}

TEST(ViewDataFiles, OpenOfWhatCannotBeReadLosesNothing) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo.mtr").c_str(), 0600), 0);
  fs::create_directory(folder / "dir.mtr");
  {
    // 2 GiB without taking the disk space.
    const int fd = ::open((folder / "huge.mtr").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{1} << 31), 0);
    ::close(fd);
  }
  const std::vector<std::pair<std::string, std::string>> failures = {
      {folder / "dir.mtr", "Is a directory"},
      {folder / "fifo.mtr", "Not a regular file"},
      {"/dev/zero", "Not a regular file"},
      {folder / "gone.mtr", "No such file or directory"},  // accepted by the create prompt
      {folder / "huge.mtr", "File too large"},
      {folder / std::string(5000, 'n'), "File name too long"},
  };
  for (const auto& [path, reason] : failures) {
    SCOPED_TRACE(path.substr(0, 80));
    ViewRig rig;
    StopAfterARun(rig);
    CopyField(rig.V().m_szFileName, "before.mtr");
    Snapshot expected = Take(rig);
    Open(rig, path, false);
    expected.messages = {"File Open Error! | " + reason};
    EXPECT_EQ(Take(rig), expected);
  }
}

TEST(ViewDataFiles, PartlyReadableFilesLoadWhatTheyHoldAndSaySo) {
  TempFolder folder;
  // One record more than the reader's cap, sparse: every record is empty.
  const std::string huge = folder / "long.mtr";
  WriteFile(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>((kTextLineCap + 3) * kTextRecordSize)), 0);
  ViewRig rig;
  Open(rig, huge);
  EXPECT_EQ(rig.Lines().size(), kTextLineCap);
  EXPECT_EQ(Take(rig).messages,
            std::vector<std::string>{
                "Data file too long! | The first 1000000 records were loaded, 3 left out"});
  EXPECT_EQ(std::string(rig.V().m_szFileName), "long.mtr");

  // A short graph file: the fields it holds, zeros for the rest, and a word to the user.
  WriteFile(folder / "cut.mtr", std::string(kGraphFileHeader) + "  17  x   -1");
  ViewRig graph;
  Open(graph, folder / "cut.mtr");
  const Snapshot loaded = Take(graph);
  EXPECT_EQ(std::vector(loaded.waveform.begin(), loaded.waveform.begin() + 4),
            (std::vector<std::uint8_t>{17, 0, 255, 0}));
  EXPECT_EQ(loaded.mode, 2);
  EXPECT_EQ(loaded.messages, std::vector<std::string>{"Damaged graph file! | 1022 of 1024 values "
                                                      "missing or unreadable, shown as 0"});

  // A title of more than 99 bytes keeps 99 at most, never half a character.
  const std::string longName = std::string(98, 'a') + "\xC3\xA9.mtr";
  WriteFile(folder / longName, "");
  Open(graph, folder / longName);
  EXPECT_EQ(std::string(graph.V().m_szFileName), std::string(98, 'a'));
  EXPECT_EQ(graph.Hp().m_statusBar.Pane(pane::kFileName), std::string(98, 'a'));
}

TEST(ViewDataFiles, DialogsGetTheirFiltersDefaultExtensionAndLastPath) {
  TempFolder folder;
  WriteFile(folder / "a.mtg", "");
  ViewRig rig;
  StopAfterARun(rig);
  Open(rig, folder / "a");  // typed without extension: "mtg" is appended
  EXPECT_EQ(std::string(rig.V().m_szFileName), "a.mtg");
  rig.V().m_unsaved = 1;
  Save(rig, folder / "b");
  EXPECT_TRUE(fs::exists(folder / "b.mtr"));
  rig.V().m_unsaved = 1;
  rig.Command(cmd::kOpen);  // cancelled twice: each proposes its own last path
  rig.Command(cmd::kSave);

  const FileFilter mtr{"Volmograph Files (*.mtr)", "*.mtr"};
  const FileFilter all{"All Files (*.*)", "*.*"};
  EXPECT_EQ(rig.Hp().m_dialogs.OpenFileRuns().at(1).request,
            (FileDialogRequest{{mtr, all}, "mtg", folder / "a.mtg", true, false, false}));
  EXPECT_EQ(rig.Hp().m_dialogs.SaveFileRuns().at(1).request,
            (FileDialogRequest{{mtr}, "mtr", folder / "b.mtr", false, true, true}));
}

}  // namespace
}  // namespace volmograph::test
