#include "files/FileAccess.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "FileTestSupport.h"

namespace volmograph {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Runs `body` in a child process (for limits and identities the test process must keep)
// and returns the child's exit code.
int InChild(const std::function<int()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) {
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// Saves `bytes` over `path` in a child; exit 0 when the save failed with `expectedError`.
int SaveFailsInChild(const std::string& path, const std::string& bytes,
                     const std::string& expectedError, const std::function<void()>& setUp) {
  return InChild([&] {
    setUp();
    std::string error;
    if (WriteFileAtomically(path, bytes, error)) {
      return 1;
    }
    return error == expectedError ? 0 : 2;
  });
}

TEST(FileAccess, AtomicWriteCreatesAndReplacesKeepingThePermissions) {
  test::TempFolder folder;
  std::string path = folder / "data.mtr";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "first", error)) << error;
  EXPECT_EQ(test::ReadFile(path), "first");

  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(path, std::string("sec\0nd", 6), error)) << error;
  EXPECT_EQ(test::ReadFile(path), std::string("sec\0nd", 6));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"data.mtr"});
}

TEST(FileAccess, AtomicWriteThroughASymbolicLinkReplacesTheLinkedFile) {
  test::TempFolder folder;
  test::WriteFile(folder / "real.mtr", "old");
  fs::create_symlink("real.mtr", folder / "link.mtr");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder / "link.mtr", "new", error)) << error;
  EXPECT_TRUE(fs::is_symlink(folder / "link.mtr"));
  EXPECT_EQ(test::ReadFile(folder / "real.mtr"), "new");
}

TEST(FileAccess, AtomicWriteIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  test::TempFolder folder;
  fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_all |
                                     fs::perms::others_read | fs::perms::others_exec);
  std::string path = folder / "data.mtr";
  test::WriteFile(path, "old contents");
  fs::permissions(folder.Path(), fs::perms::owner_write | fs::perms::group_write,
                  fs::perm_options::remove);
  // Root writes into read-only folders; the child takes the identity of "nobody" first.
  int exitCode = SaveFailsInChild(path, "new contents", "Permission denied", [] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(3);
    }
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(test::ReadFile(path), "old contents");
  EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"data.mtr"});
}

TEST(FileAccess, AtomicWriteThatFailsHalfwayLeavesNoTemporaryFile) {
  test::TempFolder folder;
  std::string path = folder / "data.mtr";
  test::WriteFile(path, "old contents");
  // A file-size limit makes the write fail part way, as a full disk would.
  int exitCode = SaveFailsInChild(path, std::string(100000, 'x'), "File too large", [] {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  });
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(test::ReadFile(path), "old contents");
  EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"data.mtr"});
}

TEST(FileAccess, AtomicWriteReportsAMissingFolderOrADirectoryName) {
  test::TempFolder folder;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder / "no/such/data.mtr", "x", error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(WriteFileAtomically(folder.Path().string() + "/", "x", error));
  EXPECT_EQ(error, "Is a directory");
  fs::create_directory(folder / "sub");
  EXPECT_FALSE(WriteFileAtomically(folder / "sub", "x", error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_EQ(Names(folder.Path()), std::set<std::string>{"sub"});
}

TEST(FileAccess, ReadFileHeadReadsAtMostTheCap) {
  test::TempFolder folder;
  test::WriteFile(folder / "f", std::string("GRA\0PH", 6));
  std::string bytes, error;
  bool more = false;
  ASSERT_TRUE(ReadFileHead(folder / "f", 3, bytes, error, &more));
  EXPECT_EQ(bytes, "GRA");
  EXPECT_TRUE(more);
  ASSERT_TRUE(ReadFileHead(folder / "f", 6, bytes, error, &more));
  EXPECT_EQ(bytes, std::string("GRA\0PH", 6));
  EXPECT_FALSE(more);
  ASSERT_TRUE(ReadFileHead(folder / "f", 4112, bytes, error, &more));
  EXPECT_EQ(bytes.size(), 6u);
  EXPECT_FALSE(more);

  EXPECT_FALSE(ReadFileHead(folder / "missing", 3, bytes, error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace volmograph
