// Programs that hold the meter's port before us, found through the process table and the
// UUCP lock file, on a real pseudo-terminal.

#include <gtest/gtest.h>

#include <pty.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "LinkTestSupport.h"
#include "link/PosixSerialConnector.h"
#include "link/PosixSerialPort.h"
#include "support/TestFiles.h"

namespace volmograph::test {
namespace {

// A child process named `name` that keeps `keep` (and no other descriptor of ours) open
// until it is stopped.
class Child {
 public:
  Child(const char* name, int keep) {
    int ready[2] = {-1, -1};
    if (::pipe(ready) != 0) {
      return;
    }
    m_pid = ::fork();
    if (m_pid == 0) {
      ::prctl(PR_SET_NAME, name);
      for (int fd = 3; fd < 1024; ++fd) {
        if (fd != keep && fd != ready[1]) {
          ::close(fd);
        }
      }
      (void)!::write(ready[1], "!", 1);
      for (;;) {
        ::pause();
      }
    }
    ::close(ready[1]);
    char byte = 0;
    (void)!::read(ready[0], &byte, 1);
    ::close(ready[0]);
  }
  ~Child() { Stop(); }

  void Stop() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, nullptr, 0);
      m_pid = -1;
    }
  }
  int Pid() const { return m_pid; }

 private:
  pid_t m_pid = -1;
};

std::string Hdb(int pid) {
  char text[16];
  std::snprintf(text, sizeof text, "%10d\n", pid);
  return text;
}

class PortOwnership : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[128] = {};
    ASSERT_EQ(::openpty(&m_master, &m_slave, name, nullptr, nullptr), 0);
    m_path = name;
    m_roots.lock = m_lockFolder.Path().string();
    m_lockPath = m_lockFolder / ("LCK.." + m_path.substr(m_path.rfind('/') + 1));
  }

  void TearDown() override {
    ::close(m_master);
    ::close(m_slave);
  }
  std::unique_ptr<PosixSerialPort> Open(std::string& reason) {
    return PosixSerialPort::Open(m_path, reason, m_roots);
  }

  TempFolder m_lockFolder;
  DeviceRoots m_roots;
  int m_master = -1;
  int m_slave = -1;
  std::string m_path;
  std::string m_lockPath;
};

TEST_F(PortOwnership, ProgramThatOpenedTheDeviceFirstIsNamed) {
  Child holder("vg-holder", m_slave);
  ASSERT_GT(holder.Pid(), 0);
  PortTable table;
  table.Set("COM1", m_path);
  PosixSerialConnector connector(table, m_roots);
  RecordingPrompter prompter;
  CComTR6400 meter(connector, prompter);
  EXPECT_EQ(meter.Open(1), 0);
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].text, "Failed to Open ComPort");
  EXPECT_EQ(prompter.Messages()[0].detail, "Device or resource busy: " + m_path +
                                               " - in use by vg-holder, pid " +
                                               std::to_string(holder.Pid()));
  EXPECT_TRUE(m_lockFolder.Names().empty());  // the lock taken for the attempt is gone

  holder.Stop();
  EXPECT_EQ(meter.Open(1), 1);
  EXPECT_EQ(ReadFile(m_lockPath), Hdb(::getpid()));
  meter.Close();
  EXPECT_TRUE(m_lockFolder.Names().empty());
}

TEST_F(PortOwnership, LockFilesAreHonouredAndStaleOnesTaken) {
  Child locker("vg-locker", -1);
  TempFolder elsewhere;
  const std::string victim = elsewhere / "victim";
  WriteFile(victim, "not a lock\n");
  Child gone("vg-gone", -1), goneToo("vg-gone", -1);
  const int deadPid = gone.Pid();
  int binaryPid = goneToo.Pid();
  gone.Stop();
  goneToo.Stop();
  const struct {
    const char* what;
    std::string content;  // empty: a symbolic link to `victim`
    std::string refusal;  // empty: the open succeeds
  } cases[] = {
      {"live lock", Hdb(locker.Pid()), "in use by vg-locker, pid " + std::to_string(locker.Pid())},
      {"stale lock", Hdb(deadPid), ""},
      {"stale binary lock", std::string(reinterpret_cast<char*>(&binaryPid), 4), ""},
      {"lock without a pid", "garbage\n", "no pid could be read"},
      {"symbolic link", "", "no pid could be read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.content.empty()) {
      ASSERT_EQ(::symlink(victim.c_str(), m_lockPath.c_str()), 0);
    } else {
      WriteFile(m_lockPath, c.content);
    }
    std::string reason;
    auto port = Open(reason);
    if (c.refusal.empty()) {
      ASSERT_NE(port, nullptr) << reason;
      EXPECT_EQ(ReadFile(m_lockPath), Hdb(::getpid()));
      port->Close();
      EXPECT_TRUE(m_lockFolder.Names().empty());
    } else {
      EXPECT_EQ(port, nullptr);
      EXPECT_NE(reason.find(c.refusal), std::string::npos) << reason;
      EXPECT_EQ(ReadFile(m_lockPath), c.content.empty() ? "not a lock\n" : c.content);
    }
    ::unlink(m_lockPath.c_str());
  }
  EXPECT_EQ(ReadFile(victim), "not a lock\n");
}

TEST_F(PortOwnership, UnusableLockFolderIsPassedOver) {
  const std::string folder = m_roots.lock;
  m_roots.lock = folder + "/missing";
  std::string reason;
  EXPECT_NE(Open(reason), nullptr) << reason;

  // Root writes into read-only folders, so this open runs in a child as user nobody, which
  // must be able to open the device and cannot see our descriptors of it.
  m_roots.lock = folder;
  TempFolder noProcesses;
  m_roots.proc = noProcesses.Path().string();
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  const bool root = ::geteuid() == 0;
  ASSERT_TRUE(!root || ::fchown(m_slave, 65534, 65534) == 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    std::string why;
    ::_exit(Open(why) != nullptr ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(folder.c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the open was refused; 2: no user nobody";
  EXPECT_TRUE(m_lockFolder.Names().empty());
}

}  // namespace
}  // namespace volmograph::test
