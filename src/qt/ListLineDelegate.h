#pragma once

// Draws the sample list's lines as the widget style draws an item's text, from a layout kept
// for each line. With every reading the list scrolls and Qt redraws all the lines in view,
// and the style would lay out each of them again, several times over: some 8 % of the
// user-interface thread's time in line mode. A line's text never changes, so its layout is
// made once, when it is first shown. Items the style would draw otherwise (an icon, a check
// box, wrapped or elided text) are left to the style.

#include <QStaticText>
#include <QStyledItemDelegate>
#include <deque>

namespace volmograph {

class ListLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  struct Line {
    QString text;
    QFont font;
    QStaticText layout;
    int height;  // of the laid-out line, as the style centres it
  };

  const Line& Prepared(const QString& text, const QFont& font) const;

  // The lines most recently drawn, newest first: those in view and a few more.
  mutable std::deque<Line> m_lines;
};

}  // namespace volmograph
