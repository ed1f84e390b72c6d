#include <QFontMetrics>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <climits>
#include <cstdlib>

#include "qt/FontResolver.h"
#include "qt/PngFile.h"
#include "qt/RasterCanvas.h"
#include "support/TestFiles.h"

// Declared before any use, so the test data table can carry font descriptions.
Q_DECLARE_METATYPE(volmograph::FontDescription)

namespace volmograph {
namespace {

constexpr QRgb kWhitePixel = 0xFFFFFFFF, kBlackPixel = 0xFF000000;
constexpr QRgb kGreenPixel = 0xFF00FF00, kBluePixel = 0xFF0000FF, kYellowPixel = 0xFFFFFF00;

// The bounding box of every pixel that differs from `background`, and the colours seen.
QRect InkBounds(const QImage& image, QRgb background, QSet<QRgb>* colours = nullptr) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (colours != nullptr) {
        colours->insert(image.pixel(x, y));
      }
      bounds |= image.pixel(x, y) != background ? QRect(x, y, 1, 1) : QRect();
    }
  }
  return bounds;
}

// The usual incremental Bresenham loop, end point left out.
QImage ReferenceLine(QSize size, QPoint from, QPoint to) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  int x = from.x(), y = from.y();
  const int dx = std::abs(to.x() - x), sx = x < to.x() ? 1 : -1;
  const int dy = -std::abs(to.y() - y), sy = y < to.y() ? 1 : -1;
  for (int e = dx + dy; x != to.x() || y != to.y();) {
    if (image.rect().contains(x, y)) {
      image.setPixel(x, y, kBlackPixel);
    }
    const int e2 = 2 * e;
    if (e2 >= dy) {
      e += dy, x += sx;
    }
    if (e2 <= dx) {
      e += dx, y += sy;
    }
  }
  return image;
}

FontDescription Courier(int height, int width, int weight, int escapement = 0) {
  return FontDescription{"Courier New", height, width, escapement, weight, CharSet::Greek};
}

}  // namespace

class RasterCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void rectangleCoversGdiPixels_data() {
    QTest::addColumn<QLine>("box");  // (left, top) to (right, bottom) as GDI names them
    QTest::newRow("5x4") << QLine(3, 2, 8, 6);
    QTest::newRow("3x3 dot") << QLine(4, 4, 7, 7);
    QTest::newRow("1x1") << QLine(5, 5, 6, 6);
    QTest::newRow("corners swapped") << QLine(9, 7, 2, 1);
    QTest::newRow("empty") << QLine(5, 5, 5, 9);
    QTest::newRow("clipped") << QLine(-3, 8, 4, 30);
    QTest::newRow("whole int range") << QLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  }
  void rectangleCoversGdiPixels() {
    QFETCH(QLine, box);
    RasterCanvas canvas(12, 12);
    canvas.SelectBrush(kBlue);
    canvas.Rectangle(box.x1(), box.y1(), box.x2(), box.y2());
    const int l = std::min(box.x1(), box.x2()), r = std::max(box.x1(), box.x2());
    const int t = std::min(box.y1(), box.y2()), b = std::max(box.y1(), box.y2());
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= l && x < r && y >= t && y < b;
        const bool edge = x == l || x == r - 1 || y == t || y == b - 1;
        const QRgb expected = !inside ? kWhitePixel : edge ? kBlackPixel : kBluePixel;
        QVERIFY2(canvas.Image().pixel(x, y) == expected,
                 qPrintable(QString("%1,%2").arg(x).arg(y)));
      }
    }
  }

  void rectangleInTwipsMapsAnInchTo96Pixels() {
    RasterCanvas pixels(40, 40), twips(40, 40);
    pixels.Rectangle(10, 10, 20, 30);
    twips.SetMapMode(MapMode::Twips);
    twips.Rectangle(150, -150, 300, -450);  // y grows upwards in twips
    QCOMPARE(twips.Image(), pixels.Image());
  }

  // Every line between points of a grid that reaches outside the image.
  void lineToIsBresenhamWithoutEndPoint() {
    const int coords[] = {-4, -1, 0, 2, 3, 5, 8, 9, 13};
    for (int x0 : coords) {
      for (int y0 : coords) {
        for (int x1 : coords) {
          for (int y1 : coords) {
            RasterCanvas canvas(10, 10);
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
            QVERIFY2(canvas.Image() == ReferenceLine(QSize(10, 10), {x0, y0}, {x1, y1}),
                     qPrintable(QString("(%1,%2)-(%3,%4)").arg(x0).arg(y0).arg(x1).arg(y1)));
          }
        }
      }
    }
  }

  void lineToContinuesFromItsEndPoint() {
    RasterCanvas canvas(10, 10);
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, 5);
    canvas.LineTo(6, 5);
    QCOMPARE(InkBounds(canvas.Image(), kWhitePixel), QRect(1, 1, 5, 5));
    QCOMPARE(canvas.Image().pixel(1, 5), kBlackPixel);
  }

  // Slope 1/2 through (0, 0) at the same phase as the short line; the far one must neither
  // overflow nor walk its four billion steps.
  void lineWithFarEndPointsMatchesItsVisiblePart() {
    RasterCanvas far(30, 20);
    far.MoveTo(-2000000000, -1000000000);
    far.LineTo(2000000000, 1000000000);
    QCOMPARE(far.Image(), ReferenceLine(QSize(30, 20), {0, 0}, {100, 50}));
  }

  void setPixelIsExactAndIgnoresOutsidePoints() {
    RasterCanvas canvas(4, 4);
    canvas.SetPixel(2, 1, Rgb{1, 2, 3});
    canvas.SetPixel(-1, 0, kBlack);
    canvas.SetPixel(4, 4, kBlack);
    QCOMPARE(canvas.Image().pixel(2, 1), qRgb(1, 2, 3));
    QCOMPARE(InkBounds(canvas.Image(), kWhitePixel), QRect(2, 1, 1, 1));
  }

  // The system font's 16-pixel cell is filled when opaque and left alone when transparent;
  // glyphs are black without grey edges.
  void textCellOpaqueAndTransparent() {
    for (const BkMode mode : {BkMode::Opaque, BkMode::Transparent}) {
      RasterCanvas canvas(100, 40);
      canvas.SelectBrush(kGreen);
      canvas.Rectangle(-1, -1, 101, 41);
      canvas.SetBkMode(mode);
      canvas.SetBkColor(kYellow);
      canvas.TextOut(10, 5, "Ag 0");
      QSet<QRgb> colours;
      const QRect cell = InkBounds(canvas.Image(), kGreenPixel, &colours);
      QCOMPARE(colours.contains(kYellowPixel), mode == BkMode::Opaque);
      QVERIFY(colours.subtract({kGreenPixel, kBlackPixel, kYellowPixel}).isEmpty());
      QVERIFY(cell.top() >= 5 && cell.left() >= 10 && cell.bottom() <= 20);
      QVERIFY(mode == BkMode::Transparent ||
              (cell.topLeft() == QPoint(10, 5) && cell.height() == 16));
    }
  }

  // Bytes are code page 1253 in a Greek font and 1252 otherwise: compared with the same
  // font drawing the Unicode text directly.
  void textBytesFollowTheFontsCodePage_data() {
    QTest::addColumn<bool>("greek");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("greek omega") << true << QByteArray("10k\xD9") << QString::fromUtf8("10kΩ");
    QTest::newRow("greek micro, degree")
        << true << QByteArray("\xB5\xB0") << QString::fromUtf8("µ°");
    QTest::newRow("ansi U grave") << false << QByteArray("\xD9") << QString::fromUtf8("Ù");
  }
  void textBytesFollowTheFontsCodePage() {
    QFETCH(bool, greek);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    FontDescription font = Courier(14, 10, 600);
    font.charSet = greek ? CharSet::Greek : CharSet::Ansi;
    RasterCanvas canvas(60, 20);
    canvas.SelectFont(font);
    canvas.TextOut(2, 2, bytes.toStdString());

    QImage reference(60, 20, QImage::Format_RGB32);
    reference.fill(Qt::white);
    QPainter painter(&reference);
    painter.setFont(FontResolver(&reference).Resolve(font));
    painter.drawText(QPoint(2, 2 + painter.fontMetrics().ascent()), expected);
    painter.end();
    QVERIFY(InkBounds(reference, kWhitePixel).isValid());
    QCOMPARE(canvas.Image(), reference);
  }

  // Cell height (ascent + descent) and average width as asked for; a cell height that is
  // out of reach (13 for Liberation Mono) gives the next smaller one.
  void fontsHaveTheRequestedMetrics_data() {
    QTest::addColumn<FontDescription>("font");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("width");
    QTest::newRow("value 80x40") << Courier(80, 40, 700) << 80 << 40;
    QTest::newRow("list 14x10") << Courier(14, 10, 600) << 14 << 10;
    QTest::newRow("vertical 13x10") << Courier(13, 10, 600, 900) << 13 << 10;
    QTest::newRow("system") << SystemFontDescription() << 16 << 0;
  }
  void fontsHaveTheRequestedMetrics() {
    QFETCH(FontDescription, font);
    QFETCH(int, cell);
    QFETCH(int, width);
    QImage device(1, 1, QImage::Format_RGB32);
    const QFont resolved = FontResolver(&device).Resolve(font);
    const QFontMetrics metrics(resolved, &device);
    const int height = metrics.ascent() + metrics.descent();
    QVERIFY2(height == cell || height == cell - 1, qPrintable(QString::number(height)));
    QVERIFY(width == 0 || metrics.averageCharWidth() == width);
  }

  // The graph's axis title: escapement 900 reads upwards with the cell's top-left at the
  // point, so the cell stands above it: 9 characters of 10 pixels.
  void rotatedTextStandsAboveThePoint() {
    RasterCanvas canvas;
    canvas.SelectFont(Courier(13, 10, 600, 900));
    canvas.SetBkColor(kYellow);
    canvas.TextOut(12, 102, "DCV[ VDC]");
    const QRect cell = InkBounds(canvas.Image(), kWhitePixel);
    QCOMPARE(cell.topLeft(), QPoint(12, 12));
    QCOMPARE(cell.height(), 90);
    QVERIFY(cell.width() == 12 || cell.width() == 13);
  }

  void pngRoundTripAndFailure() {
    RasterCanvas canvas(30, 20);
    canvas.SelectBrush(kBlue);
    canvas.Rectangle(2, 3, 20, 15);
    test::TempFolder folder;
    std::string error;
    QVERIFY(WritePng(canvas.Image(), folder / "graph.png", error));
    const QImage read(QString::fromStdString(folder / "graph.png"));
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32), canvas.Image());

    const std::string missing = folder / "no such folder/graph.png";
    QVERIFY(!WritePng(canvas.Image(), missing, error));
    QVERIFY2(error == "Cannot write " + missing + ": No such file or directory", error.c_str());
  }
};

}  // namespace volmograph

QTEST_MAIN(volmograph::RasterCanvasTest)
#include "RasterCanvasTest.moc"
