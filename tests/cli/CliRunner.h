#pragma once

// Runs the built volmograph-cli with its output captured in files.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace volmograph::test {

inline const std::string kCli = VOLMOGRAPH_BINARY_DIR "/src/volmograph-cli";

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// `args` is pasted into a shell command line after the program's name.
inline CliResult RunCli(const std::string& args) {
  const auto dir = std::filesystem::temp_directory_path();
  const std::string tag = std::to_string(getpid());
  const std::string out = (dir / ("cli_out_" + tag)).string();
  const std::string err = (dir / ("cli_err_" + tag)).string();
  const std::string command = "'" + kCli + "' " + args + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  CliResult run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

// The built volmograph-cli running in the background, its output going to files in
// `folder`, so that a test can watch it, signal it and wait for it.
class BackgroundCli {
 public:
  BackgroundCli(const std::vector<std::string>& args, const TempFolder& folder)
      : m_out(folder / "cli.out"), m_err(folder / "cli.err") {
    std::vector<char*> argv{const_cast<char*>(kCli.c_str())};
    for (const std::string& arg : args) {
      argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
      const int out = ::open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err = ::open(m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(out, 1);
      ::dup2(err, 2);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
  }
  ~BackgroundCli() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGKILL);
      Wait();
    }
  }

  void Signal(int signal) const { ::kill(m_pid, signal); }
  // The exit status, or -1 when it did not exit by itself.
  CliResult Wait() {
    int raw = 0;
    ::waitpid(m_pid, &raw, 0);
    m_pid = -1;
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(m_out), ReadFile(m_err)};
  }

 private:
  std::string m_out;
  std::string m_err;
  pid_t m_pid = -1;
};

}  // namespace volmograph::test
