// volmograph: the desktop program.

#include <cstdio>
#include <memory>

#include "app/CKeloApp.h"
#include "app/CommandLine.h"
#include "app/GuiScript.h"

int main(int argc, char** argv) {
  using namespace volmograph::shell;
  const ShellOptions options = ParseCommandLine(argc, argv);
  // Answered before any window system is touched, so they work without a display.
  if (options.help || options.version) {
    std::fputs(options.help ? UsageText().c_str() : VersionText().c_str(), stdout);
    return 0;
  }
  QStringList steps;
  if (!options.script.empty()) {
    QString error;
    if (!GuiScript::Load(QString::fromStdString(options.script), steps, error)) {
      std::fprintf(stderr, "volmograph: cannot read %s: %s\n", options.script.c_str(),
                   error.toLocal8Bit().constData());
      return 2;
    }
  }
  CKeloApp app(argc, argv, options);
  if (!app.InitInstance()) {
    return 1;
  }
  std::unique_ptr<GuiScript> script;
  if (!options.script.empty()) {
    script = std::make_unique<GuiScript>(*app.MainFrame(), steps);
    script->Start();
  }
  return app.Run();
}
