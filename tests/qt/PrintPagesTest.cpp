// The page canvas's geometry on an image of known resolution, and the view's printout as a
// PDF file.

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

#include "platform/HeadlessPlatform.h"
#include "qt/PageCanvas.h"
#include "qt/PrintPages.h"
#include "support/GraphLines.h"
#include "support/TestFiles.h"
#include "view/CKeloView.h"

namespace volmograph {
namespace {

constexpr QRgb kWhitePixel = 0xFFFFFFFF;

// The bounding box of the ink in rows top..bottom-1, and the ink pixels in each row.
QRect Ink(const QImage& image, int top, int bottom, std::vector<int>* perRow = nullptr) {
  QRect bounds;
  for (int y = top; y < bottom; ++y) {
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kWhitePixel) {
        bounds |= QRect(x, y, 1, 1);
        ++count;
      }
    }
    if (perRow != nullptr && count > 0) {
      perRow->push_back(count);
    }
  }
  return bounds;
}

}  // namespace

class PrintPagesTest : public QObject {
  Q_OBJECT

 private slots:
  // At 144 dpi one inch of twips (1440) is 144 pixels, and y grows downwards on the image.
  void twipsLandOnThePageUpright() {
    QImage page(1200, 1700, QImage::Format_RGB32);
    page.setDotsPerMeterX(5669);  // 144 dpi
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
      dc.TextOut(144, 720, std::string(66, 'M'));  // in pixels, the font still on paper size
    }
    painter.end();
    QCOMPARE(Ink(page, 100, 300), QRect(144, 144, 144, 144).united(QRect(432, 144, 1, 1)));

    // Text hangs below its point, the way up: a T is widest in its top row.
    std::vector<int> rows;
    const QRect cell = Ink(page, 400, 700, &rows);
    QVERIFY2(cell.top() >= 432 && cell.bottom() < 432 + 33,
             qPrintable(QString::number(cell.top())));
    QVERIFY(cell.left() >= 144 && cell.left() <= 147);  // the cell starts at the point
    QVERIFY(rows.front() > rows.back());

    // The default font keeps a listing line in 120-twip columns, inside an A4 page.
    const QRect line = Ink(page, 700, 760);
    QVERIFY2(qAbs(line.right() + 1 - (144 + 66 * 12)) <= 2,
             qPrintable(QString::number(line.right())));
  }

  void textReportOfThreePagesAsPdf() {
    HeadlessPlatform hp;
    CKeloView view(hp.Bundle());
    QCOMPARE(view.OnCreate(), 0);
    view.OnInitialUpdate();
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
    QVERIFY(hp.m_prompter.Messages().empty());

    const std::string missing = folder / "no such folder/report.pdf";
    QVERIFY(!PrintToPdf(view, missing, error));
    QCOMPARE(QString::fromStdString(error),
             QString::fromStdString("Cannot write " + missing + ": No such file or directory"));
    QCOMPARE(folder.Names(), std::vector<std::string>{"report.pdf"});
  }
};

}  // namespace volmograph

QTEST_MAIN(volmograph::PrintPagesTest)
#include "PrintPagesTest.moc"
