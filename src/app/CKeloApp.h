#pragma once

// The application: owns the Qt application object, the settings, the serial ports (or the
// demo's simulated meter) and the main window, and starts them in the design's order.
// It handles the application's commands: About, New, Print Setup, Print and Print
// Preview, Open while no view exists, the recent files, Exit, and the demo's waveform.

#include <QApplication>
#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CommandLine.h"
#include "app/DemoMeter.h"
#include "app/PrintCommands.h"
#include "app/StartupWarmup.h"
#include "platform/Profile.h"
#include "platform/SerialDevice.h"

namespace volmograph::shell {

// Settings and ports handed in by a caller (tests, benchmarks) instead of the user's.
struct ShellServices {
  Profile* profile = nullptr;
  SerialConnector* serial = nullptr;
  DemoMeter* demo = nullptr;  // a simulated meter the Demo menu drives, if any
};

class CKeloApp : public CommandTarget {
 public:
  // Creates the Qt application unless one exists already (a test's).
  CKeloApp(int& argc, char** argv, ShellOptions options, ShellServices services = {});
  ~CKeloApp() override;

  // Start-up: picture setting, dialog colours, main window, first document, shown.
  // False when the program cannot start; the reason has been printed.
  bool InitInstance();
  // Runs the event loop until the main window closes; the process's exit status.
  int Run();

  CMainFrame* MainFrame() const { return m_frame.get(); }
  DemoMeter* Demo() const { return m_demo; }
  PrintCommands* Printing() const { return m_print.get(); }

  bool OnCommand(int id) override;
  std::optional<CommandState> QueryCommand(int id) override;

 private:
  bool MakeServices(ShellServices services);
  void OnAppAbout();
  void OnFileOpenWithoutView();
  void ReportSettingsProblem();

  // Whether this object makes the Qt application; decided, and the event loop chosen in the
  // environment, before the start-up helper runs, as the helper reads the environment too.
  bool m_makesQtApp;
  // Next, so that it starts before Qt does.
  StartupWarmup m_warmup;
  std::unique_ptr<QApplication> m_qtApp;
  ShellOptions m_options;
  std::unique_ptr<Profile> m_ownProfile;
  std::unique_ptr<SerialConnector> m_ownSerial;
  std::unique_ptr<DemoMeter> m_ownDemo;
  DemoMeter* m_demo = nullptr;
  Profile* m_profile = nullptr;
  SerialConnector* m_serial = nullptr;
  std::vector<std::string> m_settingsProblems;  // what is wrong with the settings file
  std::unique_ptr<QObject> m_pictureFilter;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<PrintCommands> m_print;
};

}  // namespace volmograph::shell
