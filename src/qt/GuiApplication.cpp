#include "qt/GuiApplication.h"

#include <QCoreApplication>
#include <cstdlib>

namespace volmograph {
namespace {

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) {
    return nullptr;
  }
  // Any other platform plugin aborts the process when there is no display to connect to.
  if (!HasDisplay()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  // QGuiApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "volmograph";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace volmograph
