// The view's form on the desktop: geometry from dialog units, start states shared with the
// headless form, the view's colours, the settings dialogs driven as a user would, the list
// and the timer.

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "files/TextDataFile.h"
#include "platform/HeadlessPlatform.h"
#include "qt/ByteText.h"
#include "qt/DisplayFrame.h"
#include "qt/QtDialogs.h"
#include "qt/QtForm.h"
#include "qt/QtListBox.h"
#include "qt/QtTimer.h"
#include "qt/TemplateWidgets.h"
#include "qt/ViewWidget.h"
#include "support/ModalWindows.h"
#include "support/TestFiles.h"
#include "view/DialogTemplates.h"
#include "view/Ids.h"

namespace volmograph {
namespace {

// A view on the desktop without a meter.
struct DesktopRig {
  MemoryProfile profile;
  HeadlessStatusBar statusBar;
  ScriptedSerialConnector serial;
  ViewWidget widget{profile, serial, statusBar};

  QWidget* Control(int id) { return widget.Form().ControlWidget(id); }
};

// What a widget shows as its text, whatever its kind.
QString ShownText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    return label->text();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    return button->text();
  }
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    return group->title();
  }
  return {};
}

void Click(QWidget* parent, int id) {
  auto* button = parent->findChild<QAbstractButton*>(ControlObjectName(id));
  QVERIFY(button != nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class FormTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsArePlacedByDialogUnits() {
    DesktopRig rig;
    if (rig.widget.logicalDpiY() != 96) {
      QSKIP("the pixel positions below are those of a 96 dpi screen");
    }
    QCOMPARE(rig.widget.sizeHint(), QSize(619, 409));
    QWidget* frame = rig.Control(ctl::kDisplayFrame);
    QCOMPARE(frame->geometry(), QRect(157, 4, 456, 188));
    QCOMPARE(rig.Control(ctl::kSampleList)->geometry(), QRect(10, 248, 602, 157));
    // The picture of 453 x 172 device pixels fits inside the border.
    const qreal ratio = frame->devicePixelRatioF();
    QVERIFY(frame->width() * ratio >= 453 + 2 && frame->height() * ratio >= 172 + 2);

    // The readout lies on the frame and above it, so that its clicks and paint are its own.
    rig.widget.show();
    for (int id : {ctl::kValue, ctl::kUnit, ctl::kRms, ctl::kValue2, ctl::kUnit2}) {
      QWidget* readout = rig.Control(id);
      QVERIFY2(frame->geometry().contains(readout->geometry()), qPrintable(QString::number(id)));
      QCOMPARE(rig.widget.Form().childAt(readout->geometry().center()), readout);
    }
  }

  void headlessAndDesktopFormsStartAlike() {
    DesktopRig rig;
    QVERIFY(rig.widget.IsCreated());
    HeadlessPlatform headless;
    CKeloView headlessView(headless.Bundle());
    QCOMPARE(headlessView.OnCreate(), 0);
    headlessView.OnInitialUpdate();

    const Form& desktop = rig.widget.Form();
    int compared = 0;
    for (const DialogControl& control : FormTemplate().controls) {
      const int id = control.id;
      const QByteArray name = QByteArray::number(id);
      QVERIFY2(rig.Control(id) != nullptr, name);
      const bool enabled = !control.Has(control_style::kDisabled);
      QCOMPARE(headless.m_form.Text(id), control.caption);
      QCOMPARE(desktop.Text(id), control.caption);
      QCOMPARE(ShownText(rig.Control(id)), DecodeBytes(control.caption));
      QVERIFY2(headless.m_form.IsEnabled(id) == enabled && desktop.IsEnabled(id) == enabled, name);
      QVERIFY2(headless.m_form.IsShown(id) && desktop.IsShown(id), name);
      ++compared;
    }
    QCOMPARE(compared, 23);

    // A click on a function button reaches the view.
    rig.widget.show();
    QTest::mouseClick(rig.Control(ctl::kRelButton), Qt::LeftButton);
    QCOMPARE(rig.widget.View().m_relOn, 1);
    QVERIFY(desktop.IsEnabled(ctl::kRelGroup));
  }

  void viewChoosesTheColours() {
    DesktopRig rig;
    const QImage form = rig.widget.Form().grab().toImage();
    const QRgb green = qRgb(0, 255, 0), cyan = qRgb(0, 255, 255);
    struct Expected {
      int id;
      QRgb background;  // 0: the toolkit's own
    };
    for (const Expected& e : {Expected{ctl::kValue, green}, Expected{ctl::kUnit2, green},
                              Expected{ctl::kDisplayFrame, green}, Expected{ctl::kSampleList, cyan},
                              Expected{ctl::kRelReference, 0}, Expected{ctl::kPeakMax, 0}}) {
      const QRgb seen = form.pixel(rig.Control(e.id)->geometry().center()) | 0xFF000000;
      if (e.background != 0) {
        QCOMPARE(seen, e.background);
      } else {
        QVERIFY2(seen != green && seen != cyan, qPrintable(QString::number(e.id)));
      }
    }
  }

  void commPortDialogSetsThePortClicked() {
    DesktopRig rig;
    ModalWatchdog watchdog;
    bool seen = false;
    WhenModal([&](QWidget* dialog) {
      seen = true;
      QCOMPARE(dialog->windowTitle(), QStringLiteral("COMM PORT SET"));
      auto* com2 = dialog->findChild<QRadioButton*>(ControlObjectName(1014));
      QVERIFY(com2 != nullptr && com2->isChecked());  // the profile's default, COM2
      // The group box around the radio buttons lies behind them and leaves them their clicks.
      QCOMPARE(dialog->childAt(com2->geometry().center()), com2);
      Click(dialog, 1015);
      Click(dialog, 1);
    });
    QVERIFY(rig.widget.Command(cmd::kCommPort));
    QVERIFY(seen);
    QCOMPARE(rig.widget.View().m_comSettings.m_portIndex, 2);
    QCOMPARE(rig.profile.GetInt("COMM", "Port", 0), 2);
    QCOMPARE(rig.statusBar.Pane(pane::kPort), std::string("COM 3"));
  }

  void startEndDialogRefusesAnIntegerTooLargeAndKeepsTheFieldSelected() {
    DesktopRig rig;
    ModalWatchdog watchdog;
    QStringList messages;
    WhenModal([&](QWidget* dialog) {
      auto* start = dialog->findChild<QLineEdit*>(ControlObjectName(1025));
      auto* end = dialog->findChild<QLineEdit*>(ControlObjectName(1044));
      QVERIFY(start != nullptr && end != nullptr);
      QCOMPARE(start->text(), QStringLiteral("0"));
      QCOMPARE(end->text(), QStringLiteral("500"));
      // What is typed is shaped, whatever its script: lam and alef join into one glyph.
      QTextLayout typed(QString::fromUtf8("\u0644\u0627"), start->font());
      typed.beginLayout();
      typed.createLine();
      typed.endLayout();
      QCOMPARE(typed.glyphRuns().value(0).glyphIndexes().size(), 1);
      start->selectAll();
      QTest::keyClicks(start, "99999999999");
      WhenModal(
          [&](QWidget* box) {
            messages << qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
          },
          dialog);
      Click(dialog, 1);  // returns once the message box is closed
      QVERIFY(dialog->isVisible());
      QCOMPARE(start->selectedText(), QStringLiteral("99999999999"));
      QTest::keyClicks(start, "300");
      end->selectAll();
      QTest::keyClicks(end, "100");
      Click(dialog, 1);
    });
    QVERIFY(rig.widget.Command(cmd::kStartEnd));
    QCOMPARE(messages, QStringList{"Please enter an integer between 0 and 500."});
    QCOMPARE(rig.widget.View().m_graphFirst, 300);
    QCOMPARE(rig.widget.View().m_graphLast, 100);
  }

  void openDialogAddsTheExtensionAndAsksBeforeAMissingFile() {
    DesktopRig rig;
    ModalWatchdog watchdog;
    test::TempFolder folder;
    const std::string line(67, '7');
    test::WriteFile(folder / "data.mtg", WriteTextDataFile({line}));
    QStringList questions;
    // Choose `name` in the file dialog now up.
    const auto choose = [&folder](QWidget* modal, const std::string& name) {
      QVERIFY(ChooseInFileDialog(modal, QString::fromStdString(folder / name)));
    };
    // A missing file is asked about; No leads back to the dialog, where an existing one is
    // chosen.
    WhenModal([&](QWidget* dialog) {
      choose(dialog, "missing");
      WhenModal(
          [&](QWidget* box) {
            questions << qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
            WhenModal([&](QWidget* again) { choose(again, "data"); }, box);
          },
          dialog);
    });
    QVERIFY(rig.widget.Command(cmd::kOpen));
    QCOMPARE(questions, QStringList{"missing.mtg\nThis file does not exist.\nCreate the file?"});
    QCOMPARE(rig.widget.View().m_sampleList.Count(), 1);
    QCOMPARE(rig.widget.View().m_sampleList.Line(0), line);
    QCOMPARE(rig.statusBar.Pane(pane::kFileName), std::string("data.mtg"));
    // The dialog, closing, uncovers the view, whose repaint draws the graph of the file.
    auto* frame = dynamic_cast<DisplayFrame*>(rig.Control(ctl::kDisplayFrame));
    QVERIFY(frame != nullptr);
    QImage green(frame->Canvas().Image().size(), QImage::Format_RGB32);
    green.fill(qRgb(0, 255, 0));
    QTRY_VERIFY(frame->Canvas().Image().convertToFormat(QImage::Format_RGB32) != green);
  }

  void printDialogChoosesThePagesAndPreviewNeedsNone() {
    ModalWatchdog watchdog;
    RecordingPrompter prompter;
    QtDialogs dialogs(prompter);
    PrintInfo preview;
    preview.preview = true;
    QVERIFY(dialogs.PreparePrinting(preview));

    WhenModal([](QWidget* dialog) {
      dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
      dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
      dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
      static_cast<QDialog*>(dialog)->accept();
    });
    PrintInfo info;
    info.maxPage = 5;
    QVERIFY(dialogs.PreparePrinting(info));
    QCOMPARE(info.FirstPage(), 2);
    QCOMPARE(info.LastPage(), 3);

    WhenModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    QVERIFY(!dialogs.PreparePrinting(info));
  }

  void listKeepsItsBytesAndShowsThemInTheFontsCodePage() {
    QtListBox list;
    const FontDescription greek{"Courier New", 14, 10, 0, 600, CharSet::Greek};
    list.SetFont(greek);
    list.Add("a\xB5\xD9");
    list.Add("b");
    QCOMPARE(list.Widget()->item(0)->text(), QString::fromUtf8("a\u00B5\u03A9"));
    QCOMPARE(list.Line(0), std::string("a\xB5\xD9"));
    FontDescription western = greek;
    western.charSet = CharSet::Ansi;
    list.SetFont(western);
    QCOMPARE(list.Widget()->item(0)->text(), QString::fromUtf8("a\u00B5\u00D9"));

    list.Select(1);
    list.DeleteAt(0);  // a line above the selection moves it up
    QCOMPARE(list.Selected(), 0);
    list.DeleteAt(0);  // deleting the selected line clears the selection
    QCOMPARE(list.Selected(), -1);
    list.Select(5);
    QCOMPARE(list.Selected(), -1);
    QCOMPARE(list.Count(), 0);
  }

  // The list's own drawing of its lines must look exactly as the style's.
  void listLinesLookAsTheStyleDrawsThem() {
    DesktopRig rig;
    auto* list = qobject_cast<QListWidget*>(rig.Control(ctl::kSampleList));
    QVERIFY(list != nullptr);
    for (const char* line : {" 12:00:01    1.234 Vdc   DCV",
                             " 12:00:02  \xB5"
                             "A \xB0"
                             "C \xD9",
                             "",
                             "a line far wider than the list, cut at its edge rather than "
                             "shortened with an ellipsis, as the list box did"}) {
      rig.widget.View().m_sampleList.Add(line);
    }
    rig.widget.View().m_sampleList.Select(1);
    rig.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.widget));
    // At a whole and at a fractional number of device pixels per pixel.
    const auto pictures = [list] {
      std::vector<QImage> drawn;
      for (const qreal scale : {1.0, 1.25}) {
        QImage image(list->viewport()->size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        list->viewport()->render(&image);
        drawn.push_back(image);
      }
      return drawn;
    };
    const auto drawnAsStyleDraws = [list, &pictures] {
      QAbstractItemDelegate* own = list->itemDelegate();
      const std::vector<QImage> drawn = pictures();
      QStyledItemDelegate styles;
      list->setItemDelegate(&styles);
      const std::vector<QImage> expected = pictures();
      list->setItemDelegate(own);
      return drawn == expected;
    };
    QVERIFY2(drawnAsStyleDraws(), "inactive");
    rig.widget.activateWindow();
    list->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&rig.widget));
    QVERIFY2(drawnAsStyleDraws(), "active, focused");
    list->setEnabled(false);
    QVERIFY2(drawnAsStyleDraws(), "disabled");
  }

  void aLineSelectedWhileTheListIsHiddenIsInViewOnceShown() {
    QtListBox list;
    for (int i = 0; i < 100; ++i) {
      list.Add("line " + std::to_string(i));
    }
    list.Select(90);
    list.Widget()->resize(200, 100);
    list.Widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.Widget()));
    QTRY_VERIFY(list.Widget()->viewport()->rect().contains(
        list.Widget()->visualItemRect(list.Widget()->item(90))));
  }

  void timerTicksNeverOverlapAndMayStopThemselves() {
    QtTimer timer;
    int calls = 0, depth = 0, deepest = 0;
    QVERIFY(timer.Start(3, 5, [&](int id) {
      QCOMPARE(id, 3);
      ++calls;
      deepest = std::max(deepest, ++depth);
      if (calls == 1) {
        QTest::qWait(60);  // as a message box shown from a tick would
      }
      if (calls == 3) {
        timer.Stop(3);
      }
      --depth;
    }));
    QTRY_COMPARE(calls, 3);
    QTest::qWait(40);
    QCOMPARE(calls, 3);
    QCOMPARE(deepest, 1);
  }
};

}  // namespace volmograph

QTEST_MAIN(volmograph::FormTest)
#include "FormTest.moc"
