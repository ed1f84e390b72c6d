// The page canvas's geometry on an image of known resolution, and the view's printout as a
// PDF file.

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include "platform/HeadlessPlatform.h"
#include "qt/PageCanvas.h"
#include "qt/PrintPages.h"
#include "support/GraphLines.h"
#include "support/TestFiles.h"

namespace volmograph {
namespace {

// The bounding box of the ink in rows top..bottom-1; `widths` gets each inked row's count.
QRect Ink(const QImage& image, int top, int bottom, std::vector<int>* widths = nullptr) {
  QRect bounds;
  for (int y = top; y < bottom; ++y) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
      const bool ink = image.pixel(x, y) != 0xFFFFFFFF;
      bounds |= ink ? QRect(x, y, 1, 1) : QRect();
      count += ink;
    }
    if (widths != nullptr && count > 0) {
      widths->push_back(count);
    }
  }
  return bounds;
}

}  // namespace

class PrintPagesTest : public QObject {
  Q_OBJECT

 private slots:
  // At 144 dpi an inch of twips (1440) is 144 pixels, and -y lies below the origin.
  void twipsLandOnThePageUpright() {
    QImage page(1200, 800, QImage::Format_RGB32);
    page.setDotsPerMeterX(5669);
    page.setDotsPerMeterY(5669);
    page.fill(Qt::white);
    QPainter painter(&page);
    {
      PageCanvas dc(painter);
      dc.SetMapMode(MapMode::Twips);
      dc.SelectBrush(kBlack);
      dc.Rectangle(1440, -1440, 2880, -2880);
      dc.SetPixel(4320, -1440, kBlack);
      dc.MoveTo(5760, -1440);
      dc.LineTo(5760, -1440);  // stays on one dot: nothing
      dc.TextOut(1440, -4320, "TTTT");
    }
    {
      // The next page's device context starts from the page, whatever the last one did.
      PageCanvas dc(painter);
      dc.TextOut(144, 720, std::string(66, 'M'));  // in pixels, the font still paper-sized
    }
    painter.end();
    QCOMPARE(Ink(page, 100, 300), QRect(144, 144, 144, 144).united(QRect(432, 144, 1, 1)));

    // Text hangs below its point, the right way up: a T is widest in its top row.
    std::vector<int> widths;
    const QRect cell = Ink(page, 400, 700, &widths);
    QVERIFY2(cell.top() >= 432 && cell.bottom() < 432 + 33,
             qPrintable(QString::number(cell.top())));
    QVERIFY(cell.left() >= 144 && cell.left() <= 147);
    QVERIFY(widths.front() > widths.back());

    // The default font keeps a listing line in 120-twip columns, well inside an A4 page.
    const int right = Ink(page, 700, 760).right() + 1;
    QVERIFY2(qAbs(right - (144 + 66 * 12)) <= 2, qPrintable(QString::number(right)));
  }

  void textReportOfThreePagesAsPdf() {
    HeadlessPlatform hp;
    CKeloView view(hp.Bundle());
    QCOMPARE(view.OnCreate(), 0);
    for (int i = 0; i < 100; ++i) {
      hp.m_list.Add(test::GraphLine("DCV", " 1.234"));
    }
    view.m_recordedLines = 100;
    view.m_displayMode = 1;

    test::TempFolder folder;
    std::string error;
    QVERIFY2(PrintToPdf(view, folder / "report.pdf", error), error.c_str());
    const QString pdf = QString::fromLatin1(test::ReadFile(folder / "report.pdf"));
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count(QRegularExpression("/Type\\s*/Page\\b")), 3);

    const std::string missing = folder / "no such folder/report.pdf";
    QVERIFY(!PrintToPdf(view, missing, error));
    QCOMPARE(error, "Cannot write " + missing + ": No such file or directory");
    QCOMPARE(folder.Names(), std::vector<std::string>{"report.pdf"});
  }
};

}  // namespace volmograph

QTEST_MAIN(volmograph::PrintPagesTest)
#include "PrintPagesTest.moc"
