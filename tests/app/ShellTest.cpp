#include <QAction>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "app/CAboutBox.h"
#include "app/CKeloApp.h"
#include "app/CStartupPicture.h"
#include "app/HelpWindow.h"
#include "app/ShellIds.h"
#include "platform/MemoryProfile.h"
#include "platform/PrintInfo.h"
#include "platform/ScriptedSerial.h"
#include "qt/ViewWidget.h"
#include "support/ModalWindows.h"
#include "support/TestFiles.h"
#include "view/Ids.h"

namespace volmograph::shell {
namespace {

// One program started in this process with settings in memory and ports of the test's.
struct Program {
  explicit Program(bool splash, DemoMeter* demo = nullptr) {
    ShellOptions options;
    options.splash = splash;
    SerialConnector* serial = demo != nullptr ? &demo->Connector() : &scripted;
    app = std::make_unique<CKeloApp>(argc, argv, options, ShellServices{&profile, serial, demo});
  }
  CMainFrame& Frame() { return *app->MainFrame(); }

  static inline int argc = 1;
  static inline char name[] = "volmograph";
  static inline char* argv[] = {name, nullptr};
  MemoryProfile profile{"[Db]\nRef=75\n"};
  ScriptedSerialConnector scripted;
  std::unique_ptr<CKeloApp> app;
};

// "File/&Open...\tCtrl+O=57601" for every item, "File/-" for a separator.
QStringList Flatten(const std::vector<QMenu*>& menus) {
  QStringList items;
  std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& path) {
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        items << path + "-";
      } else if (action->menu() != nullptr) {
        items << path + action->text() + ">";
        walk(action->menu(), path + action->text() + "/");
      } else {
        items << path + action->text() + "=" + action->data().toString();
      }
    }
  };
  for (QMenu* menu : menus) {
    walk(menu, menu->title() + "/");
  }
  return items;
}

}  // namespace

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void startsInOrderWithItsGeometry() {
    Program program(true);
    // What exists at the moment the main window is first shown.
    bool pictureShown = false;
    int views = -1;
    std::string portPane;
    struct ShowWatch : QObject {
      std::function<void(QObject*)> onShow;
      bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Show && onShow) {
          onShow(target);
        }
        return false;
      }
    } watch;
    watch.onShow = [&](QObject* target) {
      if (target == program.app->MainFrame() && views < 0) {
        pictureShown = CStartupPicture::Shown() != nullptr;
        views = static_cast<int>(program.Frame().Views().size());
        portPane = program.Frame().StatusPanes()->Pane(pane::kPort);
      }
    };
    qApp->installEventFilter(&watch);
    QVERIFY(program.app->InitInstance());
    qApp->removeEventFilter(&watch);
    CMainFrame& frame = program.Frame();
    QVERIFY(pictureShown);
    QCOMPARE(views, 1);
    QCOMPARE(portPane, std::string("COM 2"));

    const QRect desktop = frame.screen()->availableGeometry();
    QCOMPARE(frame.size(), QSize(640, 480));
    QCOMPARE(frame.geometry().center(), desktop.center());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Volmograph"));
    QVERIFY(frame.MdiArea()->subWindowList().first()->isMaximized());
    CStartupPicture* picture = CStartupPicture::Shown();
    QCOMPARE(picture->size(), QSize(413, 230));
    QCOMPARE(picture->geometry().center(), desktop.center());
    QTRY_VERIFY_WITH_TIMEOUT(CStartupPicture::Shown() == nullptr, 5000);
  }

  void pictureSwallowsTheFirstKey() {
    Program program(true);
    QVERIFY(program.app->InitInstance());
    CMainFrame& frame = program.Frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QVERIFY(CStartupPicture::Shown() != nullptr);
    QTest::keyClick(&frame, Qt::Key_F1);
    QVERIFY(CStartupPicture::Shown() == nullptr);
    QVERIFY(frame.HelpIfOpen() == nullptr);  // the key only took the picture away
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F1);
    QVERIFY(frame.Help()->isVisible());
  }

  void menusHoldEveryItemWithItsCommand() {
    Program program(false);
    QVERIFY(program.app->InitInstance());
    const QStringList menu3 = Flatten(program.Frame().DocumentMenus());
    QStringList expected3{"&File/&Open...\tCtrl+O=57601",
                          "&File/&Save\tCtrl+S=57603",
                          "&File/-",
                          "&File/&Print...\tCtrl+P=57607",
                          "&File/Print Pre&view=57609",
                          "&File/P&rint Setup...=57606",
                          "&File/-",
                          "&File/E&xit=57665",
                          "&Run/&Start=32771",
                          "&Run/Sto&p=32772",
                          "&Run/Pa&use=32804",
                          "&View/&Bar=32774",
                          "&View/&Line=32775",
                          "&View/&Text=32803",
                          "&Setup/&dB>"};
    const char* ohms[] = {"2",   "4",   "8",   "16",  "50",  "75",  "93",  "110",
                          "125", "135", "150", "300", "600", "900", "1000"};
    for (int i = 0; i < 15; ++i) {
      expected3 << QString("&Setup/&dB/%1 Ohm=%2").arg(ohms[i]).arg(32783 + i);
    }
    expected3 << "&Setup/Sampling &Time>"
              << "&Setup/Sampling &Time/250 mSEC=32773"
              << "&Setup/Sampling &Time/500 mSEC=32777"
              << "&Setup/Sampling &Time/1 SEC=32779"
              << "&Setup/Sampling &Time/2 SEC=32780"
              << "&Setup/Sampling &Time/5 SEC=32781"
              << "&Setup/Sampling &Time/10 SEC=32782"
              << "&Setup/-"
              << "&Setup/Comm &Port=32778"
              << "&Help/&Read Me=57666"
              << "&Help/&Using Help=57668"
              << "&Help/-"
              << "&Help/&About ...=57664";
    QCOMPARE(menu3, expected3);

    const QStringList expected2{"&File/&New\tCtrl+N=57600",
                                "&File/&Open...\tCtrl+O=57601",
                                "&File/-",
                                "&File/P&rint Setup...=57606",
                                "&File/-",
                                "&File/Recent File=",
                                "&File/-",
                                "&File/E&xit=57665",
                                "&View/&Toolbar=59392",
                                "&View/&Status Bar=59393",
                                "&Help/&Index=57666",
                                "&Help/&Using Help=57668",
                                "&Help/-",
                                "&Help/&About...=57664"};
    QCOMPARE(Flatten(program.Frame().NoDocumentMenus()), expected2);
    // Every command shows its prompt in the message pane while highlighted.
    for (QMenu* menu : program.Frame().findChildren<QMenu*>()) {
      for (QAction* action : menu->actions()) {
        QVERIFY2(!action->data().isValid() || !action->statusTip().isEmpty(),
                 qPrintable(action->text()));
      }
    }
  }

  void commandsFollowTheRunAgainstTheSimulator() {
    DemoMeter meter;
    std::string error;
    QVERIFY2(meter.Start(error), error.c_str());
    Program program(false, &meter);
    QVERIFY(program.app->InitInstance());
    CMainFrame& frame = program.Frame();
    QMenu* run = frame.DocumentMenus()[1];
    QMenu* file = frame.DocumentMenus()[0];
    // Enabled states of Start, Stop, Pause, Open, Save, as the menus show them.
    auto states = [&] {
      emit run->aboutToShow();
      emit file->aboutToShow();
      QString s;
      for (QAction* a : run->actions() + file->actions().mid(0, 2)) {
        s += a->isEnabled() ? "1" : "0";
      }
      return s;
    };
    QCOMPARE(states(), QString("10010"));
    QVERIFY(frame.OnCommand(cmd::kStart));
    QCOMPARE(states(), QString("01100"));
    QTRY_VERIFY_WITH_TIMEOUT(frame.ActiveView()->View().m_sampleList.Count() >= 2, 5000);
    QVERIFY(frame.OnCommand(cmd::kPause));
    QCOMPARE(states(), QString("11010"));
    QVERIFY(frame.OnCommand(cmd::kStart));
    QCOMPARE(states(), QString("01100"));
    QVERIFY(frame.OnCommand(cmd::kStop));
    QCOMPARE(states(), QString("10011"));
    // The toolbar follows the same states: Open, Save, Print, Start, Stop, Pause.
    auto toolbar = [&] {
      QString s;
      for (QAction* a : frame.ToolBar()->actions()) {
        s += a->isSeparator() ? "" : a->isEnabled() ? "1" : "0";
      }
      return s;
    };
    QCOMPARE(toolbar(), QString("111100"));

    // The demo's key makes the meter send a waveform, which ends a run and is shown.
    QCOMPARE(Flatten({frame.DocumentMenus()[4]}), QStringList{"&Demo/Send &waveform\tF9=33001"});
    QVERIFY(frame.OnCommand(cmd::kStart));
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F9);
    QTRY_COMPARE_WITH_TIMEOUT(frame.ActiveView()->View().m_displayMode, 2, 5000);
    QCOMPARE(states(), QString("10011"));
    // The toolbar catches up with the run that the capture ended once the program is idle.
    QEventLoop idle;
    QTimer::singleShot(0, &idle, &QEventLoop::quit);
    idle.exec();
    QCOMPARE(toolbar(), QString("111100"));
    // A command that only its id sends still reaches the view.
    QVERIFY(frame.OnCommand(cmd::kSampling50ms));
    QCOMPARE(program.profile.GetInt("Sampling Time", "Current", 0), 1);
  }

  void aRunCutShortIsKeptSavedOpenedAgainAndPreviewed() {
    DemoMeter meter;
    std::string error;
    QVERIFY2(meter.Start(error), error.c_str());
    Program program(false, &meter);
    QVERIFY(program.app->InitInstance());
    CMainFrame& frame = program.Frame();
    CKeloView& view = frame.ActiveView()->View();
    QVERIFY(frame.OnCommand(cmd::kStart));
    QTRY_VERIFY_WITH_TIMEOUT(view.m_sampleList.Count() >= 3, 5000);
    ModalWatchdog watchdog;
    // A meter that goes away ends the run with a message and keeps what it recorded.
    QStringList messages;
    WhenModal([&](QWidget* box) {
      messages << qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    const int listed = view.m_sampleList.Count();
    meter.Unplug();
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 5000);
    QCOMPARE(messages.first(),
             "Meter connection lost\n" + QString::fromStdString(meter.DevicePath()));
    QCOMPARE(view.m_running, 0);
    QVERIFY(view.m_sampleList.Count() >= listed);
    std::vector<std::string> recorded;
    for (int i = 0; i < view.m_sampleList.Count(); ++i) {
      recorded.push_back(view.m_sampleList.Line(i));
    }

    test::TempFolder folder;
    // The extension comes from the dialog; the name is not ASCII.
    const std::string name = "m\xC3\xABssung";
    WhenModal([&](QWidget* dialog) {
      // Save has a Help button, which opens the manual at its page on data files.
      QPushButton* help = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help);
      QVERIFY(help != nullptr);
      help->click();
      auto* manual = dialog->findChild<QTextBrowser*>();
      QVERIFY(manual != nullptr && manual->isVisible());
      QCOMPARE(manual->source().fragment(), QStringLiteral("files"));
      QVERIFY(ChooseInFileDialog(dialog, QString::fromStdString(folder / name)));
    });
    QVERIFY(frame.OnCommand(kFileSave));
    QCOMPARE(folder.Names(), std::vector<std::string>{name + ".mtr"});
    view.m_sampleList.Clear();
    WhenModal([&](QWidget* dialog) {
      QVERIFY(!dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help));
      QVERIFY(ChooseInFileDialog(dialog, QString::fromStdString(folder / (name + ".mtr"))));
    });
    QVERIFY(frame.OnCommand(cmd::kOpen));
    QCOMPARE(frame.StatusPanes()->Panes().front()->text(), QStringLiteral("m\u00EBssung.mtr"));
    std::vector<std::string> reopened;
    for (int i = 0; i < view.m_sampleList.Count(); ++i) {
      reopened.push_back(view.m_sampleList.Line(i));
    }
    QCOMPARE(reopened, recorded);

    // The preview shows as many pages as the view counts for the report.
    PrintInfo counted;
    counted.preview = true;
    QVERIFY(view.OnPreparePrinting(counted));
    int previewed = -1;
    WhenModal([&](QWidget* dialog) {
      if (auto* pages = dialog->findChild<QPrintPreviewWidget*>()) {
        previewed = pages->pageCount();
      }
      static_cast<QDialog*>(dialog)->reject();
    });
    QVERIFY(frame.OnCommand(kPrintPreview));
    QVERIFY(counted.maxPage >= 1);
    QCOMPARE(previewed, counted.maxPage);
  }

  void newDocumentHasItsOwnViewAndClosingOneEndsTheProgram() {
    Program program(false);
    QVERIFY(program.app->InitInstance());
    CMainFrame& frame = program.Frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    // Ctrl+W is no key of the program (closing the window would end it).
    QTest::keyClick(&frame, Qt::Key_W, Qt::ControlModifier);
    QTest::qWait(50);
    QCOMPARE(frame.Views().size(), std::size_t{1});
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    const std::vector<ViewWidget*> views = frame.Views();
    QCOMPARE(views.size(), std::size_t{2});
    QVERIFY(&views[0]->View() != &views[1]->View());
    QCOMPARE(views[1]->View().m_dbRefOhm, 75);  // the same settings, read again
    QVERIFY(frame.MdiArea()->subWindowList().last()->isMaximized());
    // Each menu's letter opens it: only one set of menus is in the bar.
    for (QMenu* menu : frame.DocumentMenus()) {
      const QChar letter = menu->title().at(menu->title().indexOf('&') + 1);
      QTest::keyClick(&frame, letter.toLatin1(), Qt::AltModifier);
      QTRY_VERIFY2(menu->isVisible(), qPrintable(menu->title()));
      menu->close();
    }
    // Ctrl+F4 closes a document window, which ends the program.
    QTest::keyClick(&frame, Qt::Key_F4, Qt::ControlModifier);
    QTRY_VERIFY(!frame.isVisible());
  }

  void aboutBoxAndStatusPanes() {
    CAboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About..."));
    QStringList lines;
    for (QLabel* label : box.findChildren<QLabel*>()) {
      lines << label->text();
    }
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QStringLiteral("Volmograph Version 3.1B"));
    QVERIFY(!lines.last().isEmpty());
    QCOMPARE(qobject_cast<QPushButton*>(box.Control(1))->text(), QStringLiteral("OK"));
    QCOMPARE(box.palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(box.palette().color(QPalette::WindowText), QColor(255, 255, 0));

    QStatusBar bar;
    QtStatusBar panes(
        bar, "For Help, press F1",
        {{59146, "FILENAME.EXT"}, {59145, "1000 Ohm"}, {59144, "250 mSEC"}, {59143, "COM 1"}});
    bar.resize(640, 22);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QStringList texts;
    int right = panes.MessagePane()->geometry().right();
    for (QLabel* label : panes.Panes()) {
      texts << label->text();
      QVERIFY(label->geometry().left() > right);  // left to right in this order
      QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
      right = label->geometry().right();
    }
    QCOMPARE(texts, QStringList({"FILENAME.EXT", "1000 Ohm", "250 mSEC", "COM 1"}));
    QCOMPARE(panes.MessagePane()->text(), QStringLiteral("For Help, press F1"));
    panes.SetPane(59145, "  75 Ohm");
    QCOMPARE(panes.Pane(59145), std::string("  75 Ohm"));
  }
};

}  // namespace volmograph::shell

QTEST_MAIN(volmograph::shell::ShellTest)
#include "ShellTest.moc"
