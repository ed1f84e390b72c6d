// The view on the desktop reading the simulated meter on a pseudo-terminal through the real
// serial port: readings reach the readout and the list, and the line graph reaches the
// screen pixel for pixel.

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

#include "link/PortTable.h"
#include "link/PosixSerialConnector.h"
#include "platform/HeadlessStatusBar.h"
#include "platform/MemoryProfile.h"
#include "qt/DisplayFrame.h"
#include "qt/QtForm.h"
#include "qt/ViewWidget.h"
#include "sim/MeterSimulator.h"
#include "sim/PtyMeter.h"
#include "support/TestFiles.h"
#include "view/Ids.h"

namespace volmograph {
namespace {

SimOptions DcVolts() {
  SimOptions options;
  options.start.function = 'B';
  options.start.value = 1.5;
  options.start.noise = 0.01;
  return options;
}

// Pixels of `colour` in column x or row y of `image`.
int CountInColumn(const QImage& image, int x, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    count += image.pixel(x, y) == colour ? 1 : 0;
  }
  return count;
}

int CountInRow(const QImage& image, int y, QRgb colour) {
  int count = 0;
  for (int x = 0; x < image.width(); ++x) {
    count += image.pixel(x, y) == colour ? 1 : 0;
  }
  return count;
}

int Longest(const QImage& image, bool columns, QRgb colour) {
  int longest = 0;
  const int lines = columns ? image.width() : image.height();
  for (int i = 0; i < lines; ++i) {
    longest =
        std::max(longest, columns ? CountInColumn(image, i, colour) : CountInRow(image, i, colour));
  }
  return longest;
}

}  // namespace

class ViewRunTest : public QObject {
  Q_OBJECT

 private slots:
  void readingsReachTheReadoutTheListAndTheLineGraph() {
    PtyMeter meter{MeterSimulator(DcVolts())};
    std::string error;
    QVERIFY2(meter.Start(error), error.c_str());
    test::TempFolder lockFolder;
    DeviceRoots roots;
    roots.lock = lockFolder.Path().string();
    PortTable ports;
    ports.Set("COM2", meter.SlavePath());  // the default port choice
    PosixSerialConnector serial(ports, roots);
    MemoryProfile profile;
    HeadlessStatusBar statusBar;
    ViewWidget widget(profile, serial, statusBar);
    widget.show();

    QVERIFY(widget.Command(cmd::kSampling250ms));
    QVERIFY(widget.Command(cmd::kStart));
    QCOMPARE(widget.View().m_running, 1);
    auto* value = qobject_cast<QLabel*>(widget.Form().ControlWidget(ctl::kValue));
    auto* list = qobject_cast<QListWidget*>(widget.Form().ControlWidget(ctl::kSampleList));
    QVERIFY(value != nullptr && list != nullptr);
    const QRegularExpression number(QStringLiteral("^ ?[0-9]\\.[0-9]{3}$"));
    QTRY_VERIFY_WITH_TIMEOUT(list->count() >= 3 && number.match(value->text()).hasMatch(), 10000);
    QCOMPARE(list->currentRow(), list->count() - 1);  // the newest line is selected
    QVERIFY2(list->item(0)->text().contains(QStringLiteral(" Vdc ")),
             qPrintable(list->item(0)->text()));

    QVERIFY(widget.Command(cmd::kViewLine));
    QVERIFY(!value->isVisible());
    auto* frame = dynamic_cast<DisplayFrame*>(widget.Form().ControlWidget(ctl::kDisplayFrame));
    QVERIFY(frame != nullptr);
    const QImage picture = frame->Canvas().Image();
    const QImage shown = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.copy(DisplayFrame::kBorder, DisplayFrame::kBorder, 453, 172), picture);

    // A green picture with, inside its outline, a long black vertical axis and a long black
    // horizontal one.
    const QRgb green = qRgb(0, 255, 0), black = qRgb(0, 0, 0);
    int greenPixels = 0;
    for (int y = 0; y < picture.height(); ++y) {
      greenPixels += CountInRow(picture, y, green);
    }
    QVERIFY(greenPixels > picture.width() * picture.height() / 2);
    const QImage inside = picture.copy(1, 1, picture.width() - 2, picture.height() - 2);
    QVERIFY(Longest(inside, true, black) >= 100);
    QVERIFY(Longest(inside, false, black) >= 300);

    QVERIFY(widget.Command(cmd::kStop));
    QCOMPARE(widget.View().m_running, 0);
  }
};

}  // namespace volmograph

QTEST_MAIN(volmograph::ViewRunTest)
#include "ViewRunTest.moc"
