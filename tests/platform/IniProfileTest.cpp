#include "platform/IniProfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <optional>

#include "support/TestFiles.h"

namespace volmograph {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// The four settings the view keeps, read with their start-up defaults.
struct Settings {
  int port;
  int dbRef;
  int current;
  std::string useDisplay;
};

Settings ReadSettings(Profile& profile) {
  return {profile.GetInt("COMM", "Port", 1), profile.GetInt("Db", "Ref", 600),
          profile.GetInt("Sampling Time", "Current", 20),
          profile.GetString("Sampling Time", "Use display", "  1 SEC")};
}

void ExpectDefaults(Profile& profile) {
  const Settings s = ReadSettings(profile);
  EXPECT_EQ(s.port, 1);
  EXPECT_EQ(s.dbRef, 600);
  EXPECT_EQ(s.current, 20);
  EXPECT_EQ(s.useDisplay, "  1 SEC");
}

TEST(IniProfile, FourSettingsRoundTripThroughAReadableFile) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  {
    IniProfile profile(path);
    ExpectDefaults(profile);
    EXPECT_EQ(profile.ReadProblem(), "");  // not made yet is no problem
    EXPECT_FALSE(profile.WriteString("COMM", "Po=rt", "2"));
    EXPECT_TRUE(profile.WriteInt("COMM", "Port", 2));
    EXPECT_EQ(profile.WriteFailure(), "");  // a write that succeeds clears the last failure
    EXPECT_TRUE(profile.WriteInt("Db", "Ref", 75));
    EXPECT_TRUE(profile.WriteInt("Sampling Time", "Current", 200));
    EXPECT_TRUE(profile.WriteString("Sampling Time", "Use display", " 10 SEC"));
    EXPECT_TRUE(profile.WriteString("Sampling Time", "Use display", "  1 SEC"));
  }
  EXPECT_EQ(ReadFile(path),
            "[COMM]\nPort=2\n\n[Db]\nRef=75\n\n[Sampling Time]\nCurrent=200\n"
            "Use display=  1 SEC\n");

  IniProfile next(path);  // the next run
  const Settings s = ReadSettings(next);
  EXPECT_EQ(s.port, 2);
  EXPECT_EQ(s.dbRef, 75);
  EXPECT_EQ(s.current, 200);
  EXPECT_EQ(s.useDisplay, "  1 SEC");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"volmograph.ini"});
}

TEST(IniProfile, UserEditsCountAndMatchCaseInsensitively) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  IniProfile profile(path);
  ASSERT_TRUE(profile.WriteInt("COMM", "Port", 2));
  // The user edits the file while the program runs.
  WriteFile(path, "[comm]\r\n  PORT = 3 \r\n[ sampling time ]\r\nuse DISPLAY= 10 SEC  \r\n");
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 3);
  EXPECT_EQ(profile.GetString("Sampling Time", "Use display", ""), " 10 SEC  ");

  // Updating keeps the user's spelling, spacing and line endings.
  ASSERT_TRUE(profile.WriteInt("COMM", "Port", 0));
  EXPECT_EQ(ReadFile(path),
            "[comm]\r\n  PORT =0\r\n[ sampling time ]\r\nuse DISPLAY= 10 SEC  \r\n");
}

TEST(IniProfile, WriteKeepsEverythingElseInPlace) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  WriteFile(path,
            "; settings of the meter program\n"
            "[Recent File List]\n"
            "File1=/home/u/run.mtr\n"
            "\n"
            "[COMM]\n"
            "; COM2 is the USB adapter\n"
            "Port=1\n"
            "\n"
            "[Sampling Time]\n"
            "Use display=  5 SEC\n"
            "; trailing comment\n"
            "\n"
            "[Settings]\n"
            "PreviewPages=1\n");
  ::chmod(path.c_str(), 0640);

  IniProfile profile(path);
  ASSERT_TRUE(profile.WriteInt("COMM", "Port", 3));
  ASSERT_TRUE(profile.WriteInt("Sampling Time", "Current", 100));
  ASSERT_TRUE(profile.WriteInt("Db", "Ref", 2));

  EXPECT_EQ(ReadFile(path),
            "; settings of the meter program\n"
            "[Recent File List]\n"
            "File1=/home/u/run.mtr\n"
            "\n"
            "[COMM]\n"
            "; COM2 is the USB adapter\n"
            "Port=3\n"
            "\n"
            "[Sampling Time]\n"
            "Use display=  5 SEC\n"
            "Current=100\n"
            "; trailing comment\n"
            "\n"
            "[Settings]\n"
            "PreviewPages=1\n"
            "\n"
            "[Db]\n"
            "Ref=2\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"volmograph.ini"});
}

TEST(IniProfile, CreatesMissingFoldersAndFollowsLinks) {
  TempFolder folder;
  IniProfile nested(folder / "a/b/volmograph.ini");
  ASSERT_TRUE(nested.WriteInt("COMM", "Port", 0));
  EXPECT_EQ(ReadFile(folder / "a/b/volmograph.ini"), "[COMM]\nPort=0\n");

  const std::string link = folder / "link.ini";
  ASSERT_EQ(::symlink("a/b/volmograph.ini", link.c_str()), 0);
  IniProfile linked(link);
  ASSERT_TRUE(linked.WriteInt("COMM", "Port", 2));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(folder / "a/b/volmograph.ini"), "[COMM]\nPort=2\n");
}

class ProfileWriteFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = m_folder / "volmograph.ini";
    WriteFile(m_path, m_original);
  }
  // The old file is intact and no temporary file is left beside it.
  void ExpectUntouched() {
    EXPECT_EQ(ReadFile(m_path), m_original);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"volmograph.ini"});
    IniProfile profile(m_path);
    EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 3);
  }

  TempFolder m_folder;
  std::string m_path;
  const std::string m_original = "; mine\n[COMM]\nPort=3\n";
};

TEST_F(ProfileWriteFailure, DiskFullMidWrite) {
  // A file-size limit makes write() fail with EFBIG as a full disk would, even for root.
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tight = old;
  tight.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  IniProfile profile(m_path);
  const bool written = profile.WriteString("Sampling Time", "Use display", "  1 SEC");
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(profile.WriteFailure(), m_path + ": File too large");
  ExpectUntouched();
}

TEST_F(ProfileWriteFailure, ReadOnlyFolder) {
  // Root writes into read-only folders, so the write runs in a child as user nobody.
  ASSERT_EQ(::chmod(m_folder.Path().c_str(), 0555), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    IniProfile profile(m_path);
    ::_exit(profile.WriteInt("COMM", "Port", 0) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(m_folder.Path().c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the write was reported as done; 2: no user nobody";
  ExpectUntouched();
}

TEST_F(ProfileWriteFailure, ReadOnlyFile) {
  ASSERT_EQ(::chmod(m_path.c_str(), 0444), 0);
  IniProfile profile(m_path);
  EXPECT_FALSE(profile.WriteInt("COMM", "Port", 0));
  EXPECT_EQ(profile.WriteFailure(), m_path + ": the file is read-only");
  EXPECT_EQ(profile.ReadProblem(), "");  // it still reads
  ExpectUntouched();
}

TEST_F(ProfileWriteFailure, ValueThatWouldNotReadBack) {
  IniProfile profile(m_path);
  EXPECT_FALSE(profile.WriteString("COMM", "Port", "2\n[Db]"));
  EXPECT_FALSE(profile.WriteString("COMM", "Po=rt", "2"));
  ExpectUntouched();
}

TEST(IniProfile, FolderThatCannotBeCreatedFailsTheWrite) {
  TempFolder folder;
  WriteFile(folder / "blocker", "not a folder");
  IniProfile profile(folder / "blocker/volmograph.ini");
  ExpectDefaults(profile);
  EXPECT_FALSE(profile.WriteInt("COMM", "Port", 2));
  EXPECT_EQ(profile.WriteFailure(), folder / "blocker/volmograph.ini: Not a directory");
  EXPECT_EQ(ReadFile(folder / "blocker"), "not a folder");
}

TEST(IniProfile, DamagedFilesGiveDefaultsForWhatTheyAffect) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  IniProfile profile(path);

  WriteFile(path, std::string("\x7F"
                              "ELF\x02\x01\x00\x00\xFF\xFE\n[COMM]\nPort=\x00\x03\n",
                              26) +
                      "garbage without equals\n[Db]\nRef=75\n");
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 1);
  EXPECT_EQ(profile.GetInt("Db", "Ref", 600), 75);
  EXPECT_EQ(profile.ReadProblem(),
            path +
                ": 2 lines (the first is line 1) hold binary data or are too "
                "long to be settings; they are ignored and kept as they are");
  ASSERT_TRUE(profile.WriteInt("Db", "Ref", 50));
  EXPECT_EQ(ReadFile(path).substr(0, 10), std::string("\x7F"
                                                      "ELF\x02\x01\x00\x00\xFF\xFE",
                                                      10));

  WriteFile(path,
            "[COMM]\nPort=abc\n[Db]\nRef=12abc\n[Sampling Time]\nCurrent=99999999999\n"
            "Use display=" +
                std::string(5000, 'x') + "\n");
  ExpectDefaults(profile);
  EXPECT_EQ(profile.ReadProblem(), path +
                                       ": line 7 holds binary data or is too long to be a "
                                       "setting; it is ignored and kept as it is");

  WriteFile(path, "\xEF\xBB\xBF; plain text with a byte order mark\r\n[COMM]\r\nPort=\t2\r\n");
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 2);
  EXPECT_EQ(profile.ReadProblem(), "");

  WriteFile(path, "");
  ExpectDefaults(profile);
  EXPECT_EQ(profile.ReadProblem(), "");
}

TEST(IniProfile, NonFilesGiveDefaultsAndAreNeverReplaced) {
  TempFolder folder;
  const std::string fifo = folder / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  IniProfile fromFifo(fifo);  // no writer: reading must not wait for one
  ExpectDefaults(fromFifo);
  EXPECT_FALSE(fromFifo.WriteInt("COMM", "Port", 2));

  std::filesystem::create_directory(folder / "dir.ini");
  IniProfile fromFolder(folder / "dir.ini");
  ExpectDefaults(fromFolder);
  EXPECT_FALSE(fromFolder.WriteInt("COMM", "Port", 2));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.ini"));
  for (const IniProfile* profile : {&fromFifo, &fromFolder}) {
    EXPECT_EQ(profile->ReadProblem(),
              profile->Path() + ": not a regular file; the defaults are used");
    EXPECT_EQ(profile->WriteFailure(), profile->Path() + ": not a regular file");
  }
}

TEST(IniProfile, HugeFileIsReadUpToTheCapAndNeverRewritten) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  WriteFile(path, "[COMM]\nPort=3\n");
  // 100 MB, sparse, so the test costs no disk.
  ASSERT_EQ(::truncate(path.c_str(), 100'000'000), 0);
  IniProfile profile(path);
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 3);
  EXPECT_FALSE(profile.WriteInt("COMM", "Port", 0));
  EXPECT_EQ(profile.ReadProblem(),
            path + ": larger than 1 MiB: only its start is read, and it is never rewritten");
  EXPECT_EQ(std::filesystem::file_size(path), 100'000'000u);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"volmograph.ini"});
}

TEST(IniProfile, LineCutByTheCapCountsAsAbsent) {
  TempFolder folder;
  const std::string path = folder / "volmograph.ini";
  // "Ref=12345" straddles the cap: a partial read would give 12.
  std::string text = "[COMM]\nPort=2\n[Db]\n";
  const std::size_t filler = IniProfile::kMaxFileSize - text.size() - 7;
  text += ";" + std::string(filler - 2, '-') + "\n";
  text += "Ref=12345\n";
  ASSERT_LT(text.find("Ref="), IniProfile::kMaxFileSize);
  ASSERT_GT(text.size(), IniProfile::kMaxFileSize);
  WriteFile(path, text);
  IniProfile profile(path);
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 2);
  EXPECT_EQ(profile.GetInt("Db", "Ref", 600), 600);
}

class DefaultPath : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"VOLMOGRAPH_INI", "XDG_CONFIG_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      m_saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    ::unsetenv("VOLMOGRAPH_INI");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/tester", 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : m_saved) {
      value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(DefaultPath, ExplicitFileWins) {
  ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
  ::setenv("VOLMOGRAPH_INI", "/tmp/my.ini", 1);
  EXPECT_EQ(DefaultProfilePath(), "/tmp/my.ini");
  ::setenv("VOLMOGRAPH_INI", "", 1);
  EXPECT_EQ(DefaultProfilePath(), "/xdg/volmograph.ini");
}

TEST_F(DefaultPath, ConfigHomeFallsBackToDotConfig) {
  EXPECT_EQ(DefaultProfilePath(), "/home/tester/.config/volmograph.ini");
  ::setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(DefaultProfilePath(), "/home/tester/.config/volmograph.ini");
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(DefaultProfilePath(), "/home/tester/.config/volmograph.ini");
}

}  // namespace
}  // namespace volmograph
