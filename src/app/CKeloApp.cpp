#include "app/CKeloApp.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/CAboutBox.h"
#include "app/CStartupPicture.h"
#include "app/ShellIds.h"
#include "app/StartupArtwork.h"
#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"
#include "platform/IniProfile.h"
#include "qt/DrawnIconStyle.h"
#include "qt/QtPrompter.h"
#include "qt/ViewWidget.h"
#include "view/SettingsCheck.h"

namespace volmograph::shell {

namespace {

// Offers every event to the start-up picture first, as the application's message
// pre-translation did.
class StartupPictureFilter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    return CStartupPicture::FilterMessage(event);
  }
};

// The framework's dialog colours for message boxes: blue background, yellow text.
void SetDialogColours() {
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Window, QColor(0, 0, 255));
  palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
  QApplication::setPalette(palette, "QMessageBox");
}

// Qt's own event loop rather than GLib's: GLib's writes to its wake-up descriptor for every
// event posted, some 170 system calls before the first window is shown, where Qt's wakes
// once per batch. Nothing here runs GLib sources. A desktop theme's native GTK file dialog
// would need them, so native dialogs are off; the program's own file dialogs are Qt's
// anyway, and so now is every one. A value the user set is kept. True when no Qt
// application exists yet (a test's), that is when the program makes its own.
bool ChooseQtEventLoop() {
  if (QCoreApplication::instance() != nullptr) {
    return false;
  }
  setenv("QT_NO_GLIB", "1", 0);
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  return true;
}

// About what the first window takes beyond the memory Qt itself starts with.
constexpr std::size_t kStartupMemory = 2 << 20;
constexpr int kWarmupSettleMs = 1000;

}  // namespace

CKeloApp::CKeloApp(int& argc, char** argv, ShellOptions options, ShellServices services)
    : m_makesQtApp(ChooseQtEventLoop()), m_warmup(kStartupMemory), m_options(std::move(options)) {
  if (m_makesQtApp) {
    // Started by a desktop, Qt takes its launch notice out of the environment as it starts;
    // the helper must not be reading the environment then.
    if (getenv("DESKTOP_STARTUP_ID") != nullptr || getenv("XDG_ACTIVATION_TOKEN") != nullptr) {
      m_warmup.WaitForFontConfiguration();
    }
    m_qtApp = std::make_unique<QApplication>(argc, argv);
  }
  // The document window asks for the icon as it is made; drawn on the helper, it is ready.
  m_warmup.ApplicationReady([] { ApplicationIconPicture(); });
  // Set before any widget exists, so that none has to be polished again.
  QApplication::setStyle(new DrawnIconStyle);
  QApplication::setApplicationName(QStringLiteral("Volmograph"));
  QApplication::setWindowIcon(ApplicationIcon());
  m_profile = services.profile;
  m_serial = services.serial;
  m_demo = services.demo;
}

CKeloApp::~CKeloApp() {
  m_warmup.Join();
  // The views close their ports before the simulated meter goes away.
  m_frame.reset();
  if (m_pictureFilter) {
    qApp->removeEventFilter(m_pictureFilter.get());
  }
}

bool CKeloApp::MakeServices(ShellServices services) {
  if (services.profile != nullptr && services.serial != nullptr) {
    return true;
  }
  const std::string settingsPath = DefaultProfilePath();
  IniProfile settingsFile(settingsPath);
  m_settingsProblems = SettingsFileProblems(settingsFile);
  if (m_options.demo) {
    m_ownDemo = std::make_unique<DemoMeter>();
    m_demo = m_ownDemo.get();
    std::string error;
    if (!m_demo->Start(error)) {
      std::fprintf(stderr, "volmograph: cannot start the simulated meter: %s\n", error.c_str());
      return false;
    }
    m_ownProfile = DemoProfile(settingsPath);
    m_profile = m_ownProfile.get();
    m_serial = &m_demo->Connector();
    return true;
  }
  m_ownProfile = std::make_unique<IniProfile>(settingsPath);
  m_ownSerial = std::make_unique<PosixSerialConnector>(PortTable::FromProfile(*m_ownProfile));
  m_profile = m_ownProfile.get();
  m_serial = m_ownSerial.get();
  return true;
}

bool CKeloApp::InitInstance() {
  CStartupPicture::SetPictureEnabled(m_options.splash);
  SetDialogColours();
  if (!MakeServices({m_profile, m_serial, m_demo})) {
    return false;
  }
  m_pictureFilter = std::make_unique<StartupPictureFilter>();
  qApp->installEventFilter(m_pictureFilter.get());

  m_frame = std::make_unique<CMainFrame>(*m_profile, *m_serial, *this, m_demo != nullptr);
  // The helper is reading the font configuration, or has read it; reading it here as well
  // would only race it for the same work.
  if (!m_frame->OnCreate([this] { m_warmup.WaitForFontConfiguration(); })) {
    std::fputs("volmograph: the main window could not be created\n", stderr);
    return false;
  }
  m_print = std::make_unique<PrintCommands>(*m_frame);
  if (!m_frame->NewDocument()) {
    std::fputs("volmograph: the document window could not be created\n", stderr);
    return false;
  }
  m_frame->show();
  m_frame->repaint();
  // Without a window manager the frame, mapped later, would cover the picture.
  CStartupPicture::RaiseShown();
  // Long after the first paint, which uses the warmed memory.
  QTimer::singleShot(kWarmupSettleMs, m_frame.get(), [this] { m_warmup.Settle(); });
  ReportSettingsProblem();
  return true;
}

// Said once the window is up; the program goes on with what could be read.
void CKeloApp::ReportSettingsProblem() {
  if (m_settingsProblems.empty()) {
    return;
  }
  QMetaObject::invokeMethod(
      m_frame.get(),
      [this] {
        QtPrompter(m_frame.get()).ShowMessageLines("Settings File Error!", m_settingsProblems);
      },
      Qt::QueuedConnection);
}

int CKeloApp::Run() {
  return QApplication::exec();
}

bool CKeloApp::OnCommand(int id) {
  ViewWidget* view = m_frame->ActiveView();
  switch (id) {
    case kAppAbout:
      OnAppAbout();
      return true;
    case kFileNew:
      m_frame->NewDocument();
      return true;
    case kFileOpen:
      if (view == nullptr) {
        OnFileOpenWithoutView();
      }
      return view == nullptr;
    case kPrintSetup:
      m_print->PrintSetup(view);
      return true;
    case kPrint:
    case kPrintPreview:
      if (view != nullptr) {
        id == kPrint ? m_print->Print(*view) : m_print->PrintPreview(*view);
      }
      return view != nullptr;
    case kAppExit:
      m_frame->close();
      return true;
    case kDemoWaveform:
      if (m_demo != nullptr) {
        m_demo->SendWaveform();
      }
      return m_demo != nullptr;
    default:
      break;
  }
  if (id >= kRecentFile1 && id < kRecentFile1 + kRecentFileCount) {
    // The document holds nothing, so a recent file opens as a fresh document window.
    m_frame->NewDocument();
    return true;
  }
  return false;
}

std::optional<CommandState> CKeloApp::QueryCommand(int id) {
  const bool haveView = m_frame != nullptr && m_frame->ActiveView() != nullptr;
  switch (id) {
    case kAppAbout:
    case kFileNew:
    case kPrintSetup:
    case kAppExit:
      return CommandState{true, false};
    case kFileOpen:
      return CommandState{!haveView, false};
    case kPrint:
    case kPrintPreview:
      return CommandState{haveView, false};
    case kDemoWaveform:
      return CommandState{m_demo != nullptr, false};
    default:
      break;
  }
  if (id >= kRecentFile1 && id < kRecentFile1 + kRecentFileCount) {
    return CommandState{true, false};
  }
  return std::nullopt;
}

void CKeloApp::OnAppAbout() {
  CAboutBox box(m_frame.get());
  box.exec();
}

void CKeloApp::OnFileOpenWithoutView() {
  const QString path =
      QFileDialog::getOpenFileName(m_frame.get(), QString(), QString(),
                                   QStringLiteral("Volmograph Files (*.mtr);;All Files (*)"));
  if (!path.isEmpty()) {
    m_frame->NewDocument();
  }
}

}  // namespace volmograph::shell
