#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QScopeGuard>
#include <QShortcut>
#include <QStatusBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <fstream>
#include <memory>
#include <set>
#include <thread>

#include "app/CKeloApp.h"
#include "app/CStartupPicture.h"
#include "app/CommandLine.h"
#include "app/DemoMeter.h"
#include "app/HelpWindow.h"
#include "app/RecentFileList.h"
#include "app/ShellIds.h"
#include "app/StartupArtwork.h"
#include "app/StartupWarmup.h"
#include "app/ToolbarIcons.h"
#include "platform/MemoryProfile.h"
#include "platform/ScriptedSerial.h"
#include "qt/DrawnIconStyle.h"
#include "qt/ViewWidget.h"
#include "support/ModalWindows.h"
#include "view/Ids.h"

namespace volmograph::shell {

class ShellPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void commandLine() {
    struct Case {
      std::vector<const char*> args;
      bool splash, demo, help, version;
      std::string script;
    };
    const Case cases[] = {
        {{}, true, false, false, false, ""},
        {{"--no-splash", "--demo"}, false, true, false, false, ""},
        {{"--help"}, true, false, true, false, ""},
        {{"--version", "data.mtr", "--unknown"}, true, false, false, true, ""},
        {{"--script", "steps.txt"}, true, false, false, false, "steps.txt"},
        {{"--script"}, true, false, false, false, ""},  // no file: ignored like any stray word
    };
    for (const Case& c : cases) {
      std::vector<const char*> argv{"volmograph"};
      argv.insert(argv.end(), c.args.begin(), c.args.end());
      const ShellOptions o = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
      QCOMPARE(o.splash, c.splash);
      QCOMPARE(o.demo, c.demo);
      QCOMPARE(o.help, c.help);
      QCOMPARE(o.version, c.version);
      QCOMPARE(o.script, c.script);
    }
  }

  void recentFilesAreReadNeverWritten() {
    MemoryProfile profile(
        "[Recent File List]\nFile1=/home/u/a&b.mtr\nFile2=\nFile3=c.mtr\nFile5=/x/e.mtr\n");
    const std::vector<std::string> files = LoadRecentFiles(profile, kRecentFileCount);
    QCOMPARE(files, (std::vector<std::string>{"/home/u/a&b.mtr", "c.mtr"}));
    QCOMPARE(RecentFileMenuText(0, files[0]), std::string("&1 a&&b.mtr"));
    QCOMPARE(RecentFileMenuText(1, files[1]), std::string("&2 c.mtr"));
    QCOMPARE(profile.WriteCount(), 0);
  }

  void toolbarPicturesAreSixDistinctIcons() {
    const int ids[] = {kFileOpen, kFileSave, kPrint, cmd::kStart, cmd::kStop, cmd::kPause};
    std::set<QByteArray> seen;
    for (int id : ids) {
      const QImage picture = ToolbarPicture(id);
      QCOMPARE(picture.size(), QSize(16, 15));
      seen.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                             static_cast<int>(picture.sizeInBytes())));
    }
    QCOMPARE(seen.size(), std::size_t{6});
    QVERIFY(ToolbarPicture(kAppAbout).isNull());
  }

  // Pictures drawn in code rather than read from files: each shows ink, a greyed glyph is
  // lighter, and a group box has a frame.
  void drawnPicturesShowInk() {
    auto darkest = [](const QIcon& icon, QIcon::Mode mode) {
      const QImage image = icon.pixmap(16, 16, mode).toImage();
      int darkest = 256;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (qAlpha(image.pixel(x, y)) > 128) {
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
          }
        }
      }
      return darkest;
    };
    DrawnIconStyle style;
    for (QStyle::StandardPixmap glyph :
         {QStyle::SP_TitleBarMinButton, QStyle::SP_TitleBarMaxButton,
          QStyle::SP_TitleBarCloseButton, QStyle::SP_TitleBarNormalButton,
          QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
      const QIcon icon = style.standardIcon(glyph, nullptr, nullptr);
      QVERIFY2(darkest(icon, QIcon::Normal) < 100, qPrintable(QString::number(glyph)));
      QVERIFY(darkest(icon, QIcon::Disabled) > darkest(icon, QIcon::Normal));
    }
    QVERIFY(darkest(ApplicationIcon(), QIcon::Normal) < 100);

    QGroupBox box(QStringLiteral("PEAK HOLD"));
    box.setStyle(&style);
    box.resize(120, 60);
    const QImage shot = box.grab().toImage();
    QVERIFY(qGray(shot.pixel(1, 40)) < qGray(shot.pixel(0, 40)) - 15);  // the left edge
  }

  // The toolbar is drawn as Fusion draws it. The group-box frame, stretched from a small
  // picture, keeps Fusion's edges within two grey levels at any size (an edge a pixel out is
  // some fifty levels off); its drawn corners may differ a little more.
  void drawnBarsAndFramesMatchFusion() {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    DrawnIconStyle ours;
    QMainWindow window;
    QToolBar* bar = window.addToolBar(QStringLiteral("bar"));
    for (const QColor& ground : {QColor(239, 239, 239), QColor(50, 50, 50)}) {
      auto paint = [&](const QStyle& style, QStyleOption& option, int scale = 1) {
        option.palette.setColor(QPalette::Window, ground);
        QImage image(option.rect.size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(ground);
        QPainter painter(&image);
        if (qstyleoption_cast<QStyleOptionToolBar*>(&option) != nullptr) {
          style.drawControl(QStyle::CE_ToolBar, &option, &painter, bar);
        } else {
          style.drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, nullptr);
        }
        return image;
      };
      QStyleOptionToolBar toolbar;
      toolbar.initFrom(bar);
      toolbar.rect = QRect(0, 0, 300, 29);
      toolbar.state |= QStyle::State_Horizontal;
      toolbar.toolBarArea = Qt::TopToolBarArea;
      toolbar.positionOfLine = QStyleOptionToolBar::OnlyOne;
      for (int scale : {1, 2}) {  // a high-density screen's lines fall where Fusion's do
        QCOMPARE(paint(ours, toolbar, scale), paint(*fusion, toolbar, scale));
      }

      for (const QSize size : {QSize(120, 60), QSize(400, 260), QSize(24, 30), QSize(60, 400)}) {
        QStyleOptionFrame frame;
        frame.rect = QRect(QPoint(0, 0), size);
        frame.fontMetrics = QFontMetrics(QApplication::font());
        const QImage mine = paint(ours, frame);
        const QImage theirs = paint(*fusion, frame);
        const int top = std::max(fusion->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight),
                                 frame.fontMetrics.height()) +
                        3;
        int worstExcess = 0;
        for (int y = 0; y < size.height(); ++y) {
          for (int x = 0; x < size.width(); ++x) {
            const bool corner =
                (x < 6 || x >= size.width() - 6) && (y < top + 6 || y >= size.height() - 6);
            const int difference = std::abs(qGray(mine.pixel(x, y)) - qGray(theirs.pixel(x, y)));
            worstExcess = std::max(worstExcess, difference - (corner ? 20 : 2));
          }
        }
        QVERIFY2(worstExcess <= 0,
                 qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
      }
    }
  }

  // Work handed to the start-up helper is done on the helper by the time the warm-up
  // settles; a helper never handed any holds up neither settling nor the program's end.
  void warmupDoesTheWorkItIsGiven() {
    std::thread::id worker;
    {
      StartupWarmup warmup(64 * 1024);
      warmup.WaitForFontConfiguration();
      warmup.ApplicationReady([&worker] { worker = std::this_thread::get_id(); });
      warmup.Settle();
      warmup.WaitForFontConfiguration();  // after the helper is gone, too
    }
    QVERIFY(worker != std::thread::id() && worker != std::this_thread::get_id());
    StartupWarmup idle(64 * 1024);
    idle.Settle();
    StartupWarmup unused(64 * 1024);
  }

  // The frame's wait for the helper's fonts must come before its first text, or the main
  // thread reads the font configuration itself, racing the helper for the same work.
  void frameWaitsForTheFontsBeforeItsFirstText() {
    struct NoCommands : CommandTarget {
      bool OnCommand(int) override { return false; }
      std::optional<CommandState> QueryCommand(int) override { return std::nullopt; }
    } app;
    MemoryProfile profile("");
    ScriptedSerialConnector serial;
    // Restored however the test ends: the setting is the process's, and later tests use it.
    const auto restore = qScopeGuard([] { CStartupPicture::SetPictureEnabled(true); });
    for (const bool picture : {false, true}) {
      CStartupPicture::SetPictureEnabled(picture);
      CMainFrame frame(profile, serial, app, false);
      bool toolbarMade = false;
      bool textDrawn = true;
      QVERIFY(frame.OnCreate([&] {
        toolbarMade = frame.findChild<QToolBar*>() != nullptr;
        textDrawn =
            frame.findChild<QStatusBar*>() != nullptr || CStartupPicture::Shown() != nullptr;
      }));
      QVERIFY(!textDrawn);
      QCOMPARE(toolbarMade, !picture);  // no sooner than it must
    }
  }

  void helpPagesAreBuiltIn() {
    HelpWindow help(nullptr);
    const struct {
      const char* page;
      const char* mustSay;
    } pages[] = {{kHelpContentsPage, "volmograph-cli ports"},
                 {kHelpContentsPage, "dialout"},
                 {kHelpContentsPage, "[Ports]"},
                 {kHelpContentsPage, "volmograph-cli export"},
                 {kUsingHelpPage, "Using Help"}};
    for (const auto& p : pages) {
      help.ShowPage(p.page);
      QVERIFY2(help.Browser()->document()->toPlainText().contains(QString::fromLatin1(p.mustSay)),
               p.mustSay);
    }
  }

  void demoPortsAndSettings() {
    QTemporaryDir folder;
    const std::string path = folder.filePath("volmograph.ini").toStdString();
    const std::string original = "[COMM]\nPort=3\n[Sampling Time]\nCurrent=200\n";
    std::ofstream(path) << original;
    auto profile = DemoProfile(path);
    QCOMPARE(profile->GetInt("COMM", "Port", 0), 3);  // the user's own choices stand
    QCOMPARE(profile->GetInt("Sampling Time", "Current", 0), 5);
    QVERIFY(profile->WriteInt("Db", "Ref", 50));
    std::ifstream file(path);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(file), {}), original);
    QCOMPARE(DemoProfile(folder.filePath("missing.ini").toStdString())->GetInt("COMM", "Port", 9),
             9);

    DemoMeter meter;
    std::string error;
    QVERIFY2(meter.Start(error), error.c_str());
    for (const char* port : {"COM1", "COM2", "COM4", "COM0", "\\\\.\\TELNET"}) {
      std::string reason;
      auto device = meter.Connector().OpenPort(port, reason);
      QVERIFY2(device != nullptr, reason.c_str());
      QCOMPARE(device->Name(), meter.DevicePath());
      device->Close();
    }
  }

  void keysTogglesAndShutdown() {
    int argc = 1;
    char name[] = "volmograph";
    char* argv[] = {name, nullptr};
    MemoryProfile profile;
    ScriptedSerialConnector serial;
    ShellOptions options;
    options.splash = false;
    CKeloApp app(argc, argv, options, ShellServices{&profile, &serial});
    QVERIFY(app.InitInstance());
    CMainFrame& frame = *app.MainFrame();

    std::set<QString> keys;
    for (QShortcut* shortcut : frame.findChildren<QShortcut*>()) {
      keys.insert(shortcut->key().toString());
    }
    // Accelerator table 2, and Ctrl+F4 that closes the document window.
    const std::set<QString> table2{
        "Ctrl+N", "Ctrl+O",    "Ctrl+S",   "Ctrl+P",   "Ctrl+Z", "Alt+Backspace",
        "Ctrl+X", "Shift+Del", "Ctrl+C",   "Ctrl+Ins", "Ctrl+V", "Shift+Ins",
        "F6",     "Shift+F6",  "Shift+F1", "F1",       "Ctrl+F4"};
    QCOMPARE(keys, table2);
    for (int id : {kEditUndo, kEditCut, kEditCopy, kEditPaste, kNextPane}) {
      QVERIFY(!frame.OnCommand(id));  // taken by the accelerator, handled by nobody
    }

    for (int id : {kViewToolbar, kViewStatusBar}) {
      QCOMPARE(frame.QueryCommand(id), (CommandState{true, true}));
      QVERIFY(frame.OnCommand(id));
      QCOMPARE(frame.QueryCommand(id), (CommandState{true, false}));
      QVERIFY(frame.OnCommand(id));
    }
    QVERIFY(!frame.ToolBar()->isHidden() && !frame.statusBar()->isHidden());

    const int writesBefore = profile.WriteCount();
    QVERIFY(frame.OnCommand(kAppExit));
    QVERIFY(!frame.isVisible());
    QCOMPARE(profile.WriteCount(), writesBefore);  // nothing is saved at shutdown
  }

  void anUnreadableSettingsFileIsSaidOnceTheWindowIsUp() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("volmograph.ini"));
    QVERIFY(QDir().mkdir(path));  // a folder where the file should be
    qputenv("VOLMOGRAPH_INI", path.toLocal8Bit());
    // Taken back only once the program and its start-up helper, which reads the
    // environment, are gone.
    struct ClearAtEnd {
      ~ClearAtEnd() { qunsetenv("VOLMOGRAPH_INI"); }
    } clearAtEnd;
    int argc = 1;
    char name[] = "volmograph";
    char* argv[] = {name, nullptr};
    ShellOptions options;
    options.splash = false;
    CKeloApp app(argc, argv, options, ShellServices{});
    QStringList messages;
    WhenModal([&](QWidget* box) {
      messages << qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    const bool started = app.InitInstance();
    QVERIFY(started);
    QVERIFY(messages.isEmpty());  // not before the window is up
    QTRY_COMPARE(messages.size(), 1);
    QCOMPARE(messages.first(),
             "Settings File Error!\n" + path + ": not a regular file; the defaults are used");
    QCOMPARE(app.MainFrame()->ActiveView()->View().m_dbRefOhm, 600);
  }

  void scriptsRunAndRefuseWhatTheyCannotDo() {
    QTemporaryDir folder;
    const QString program = QStringLiteral(VOLMOGRAPH_APP_PATH);
    auto run = [&](const QString& steps, QStringList options = {}) {
      QFile file(folder.filePath("steps.txt"));
      file.open(QIODevice::WriteOnly);
      file.write(steps.toUtf8());
      file.close();
      QProcess process;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("VOLMOGRAPH_INI", folder.filePath("settings.ini"));
      process.setProcessEnvironment(env);
      process.start(program, options << "--no-splash"
                                     << "--script" << file.fileName());
      process.waitForFinished(30000);
      return std::make_pair(process.exitCode(),
                            QString::fromLocal8Bit(process.readAllStandardError()));
    };
    const QString shot = folder.filePath("window.png");
    QCOMPARE(run("# a picture\nwait 10\nshot " + shot + "\nquit\n").first, 0);
    QCOMPARE(QImage(shot).size(), QSize(640, 480));
    const auto [status, message] = run("jump 3\n");
    QCOMPARE(status, 2);
    QVERIFY(message.contains("cannot understand script line: jump 3"));
    QVERIFY(!QFile::exists(folder.filePath("settings.ini")));  // nothing written

    // The program as it ships, on its own event loop, lists the simulated meter's readings:
    // black text on the list's cyan.
    QCOMPARE(run("command 32771\nwait 3000\nshot " + shot + "\nquit\n", {"--demo"}).first, 0);
    const QImage listed = QImage(shot).copy(QRect(12, 300, 580, 148));
    int textPixels = 0;
    for (int y = 0; y < listed.height(); ++y) {
      for (int x = 0; x < listed.width(); ++x) {
        textPixels += qGray(listed.pixel(x, y)) < 64 ? 1 : 0;
      }
    }
    QVERIFY2(textPixels > 100, qPrintable(QString::number(textPixels)));
  }
};

}  // namespace volmograph::shell

QTEST_MAIN(volmograph::shell::ShellPartsTest)
#include "ShellPartsTest.moc"
