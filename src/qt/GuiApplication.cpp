#include "qt/GuiApplication.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <string>

namespace volmograph {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool HasDisplay() {
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

// Qt wants a private runtime folder and warns on every start without one; a command run from
// cron or a plain ssh session has none, so it gets its own, as a login session would.
void EnsureRuntimeFolder() {
  if (IsSet("XDG_RUNTIME_DIR")) {
    return;
  }
  const std::string folder = "/tmp/volmograph-runtime-" + std::to_string(getuid());
  mkdir(folder.c_str(), 0700);
  struct stat info {};
  if (lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
      (info.st_mode & 077) == 0) {
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
  }
}

}  // namespace

void PrepareGuiEnvironment() {
  // Any other platform plugin aborts the process when there is no display to connect to.
  if (!HasDisplay()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  EnsureRuntimeFolder();
}

std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) {
    return nullptr;
  }
  PrepareGuiEnvironment();
  // QGuiApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "volmograph";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace volmograph
