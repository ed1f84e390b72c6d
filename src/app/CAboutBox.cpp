#include "app/CAboutBox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace volmograph::shell {

namespace {

// Dialog units: a quarter of the font's average letter width across, an eighth of its
// height down, as the dialog manager measures them.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (metrics.horizontalAdvance(letters) + 26) / 52;
    m_baseY = metrics.height();
  }
  QRect Rect(int x, int y, int width, int height) const {
    return QRect(x * m_baseX / 4, y * m_baseY / 8, width * m_baseX / 4, height * m_baseY / 8);
  }

 private:
  int m_baseX = 7;
  int m_baseY = 13;
};

QLabel* CentredLine(QWidget& parent, const char* text, const QRect& box) {
  auto* label = new QLabel(QString::fromLatin1(text), &parent);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  // The static's box is sized for the original font; grow it about its centre so that
  // a slightly wider font is not cut.
  const int spare = qMax(0, label->sizeHint().width() - box.width());
  label->setGeometry(box.adjusted(-spare / 2 - 1, 0, spare / 2 + 1, 2));
  return label;
}

}  // namespace

void ApplyDialogColours(QWidget& dialog) {
  QPalette palette = dialog.palette();
  palette.setColor(QPalette::Window, QColor(0, 0, 255));
  palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
  dialog.setPalette(palette);
  dialog.setAutoFillBackground(true);
}

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About..."));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  ApplyDialogColours(*this);
  const DialogUnits units(font);
  setFixedSize(units.Rect(0, 0, 163, 70).size());
  m_version = CentredLine(*this, kVersionLine, units.Rect(36, 10, 97, 8));
  m_second = CentredLine(*this, kSecondLine, units.Rect(51, 26, 59, 8));
  m_ok = new QPushButton(QStringLiteral("OK"), this);
  m_ok->setGeometry(units.Rect(64, 45, 32, 14));
  m_ok->setDefault(true);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace volmograph::shell
