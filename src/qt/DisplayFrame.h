#pragma once

// The display area of the form: a bordered frame that shows the picture the view draws on
// its canvas. The picture is kept, so a paint only copies it, at one screen pixel per
// picture pixel (a whole number of them on high-density screens).

#include <QColor>
#include <QWidget>
#include <memory>

#include "qt/RasterCanvas.h"

namespace volmograph {

class DisplayFrame : public QWidget {
 public:
  static constexpr int kBorder = 1;

  explicit DisplayFrame(QWidget* parent = nullptr);

  // The picture, for the view to draw on. It is made when first asked for, filled with the
  // background: until then a paint shows that colour alone, and start-up spares the memory.
  RasterCanvas& Canvas();
  // The colour around the picture and of a picture not drawn yet.
  void SetBackground(const QColor& colour);

  // The smallest size that shows the whole picture inside the border.
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FillPicture();

  std::unique_ptr<RasterCanvas> m_canvas;
  QColor m_background = Qt::white;
};

}  // namespace volmograph
