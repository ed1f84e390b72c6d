#include "qt/ListLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace volmograph {

namespace {

// More than a list of any height shows, so that a redraw finds every line it draws.
constexpr std::size_t kKeptLines = 128;

// What the style's own text drawing would do for this item: one line, left-aligned and
// centred vertically, cut at the item's edge rather than elided.
bool IsPlainLine(const QStyleOptionViewItem& item) {
  constexpr auto kOtherFeatures = QStyleOptionViewItem::WrapText |
                                  QStyleOptionViewItem::HasCheckIndicator |
                                  QStyleOptionViewItem::HasDecoration;
  return !(item.features & kOtherFeatures) && item.textElideMode == Qt::ElideNone &&
         item.displayAlignment == (Qt::AlignLeft | Qt::AlignVCenter) &&
         item.direction == Qt::LeftToRight && !item.text.contains(QChar::LineSeparator) &&
         !item.text.contains(QLatin1Char('\n')) && !(item.state & QStyle::State_Editing);
}

// The style's pen for an item's text.
QColor TextColour(const QStyleOptionViewItem& item) {
  QPalette::ColorGroup group =
      item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  if (group == QPalette::Normal && !(item.state & QStyle::State_Active)) {
    group = QPalette::Inactive;
  }
  return item.palette.color(
      group, item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
}

// The frame the style draws around the current item while the list has the focus.
void DrawFocusFrame(QPainter& painter, const QStyleOptionViewItem& item, const QRect& rect,
                    const QStyle& style) {
  QStyleOptionFocusRect frame;
  frame.QStyleOption::operator=(item);
  frame.rect = rect;
  frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
  const QPalette::ColorGroup group =
      item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  frame.backgroundColor = item.palette.color(
      group, item.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
  style.drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, item.widget);
}

}  // namespace

const ListLineDelegate::Line& ListLineDelegate::Prepared(const QString& text,
                                                         const QFont& font) const {
  const auto found = std::find_if(m_lines.begin(), m_lines.end(), [&](const Line& line) {
    return line.text == text && line.font == font;
  });
  if (found != m_lines.end()) {
    return *found;
  }
  QTextLayout measure(text, font);
  measure.beginLayout();
  QTextLine first = measure.createLine();
  measure.endLayout();
  const int height = first.isValid() ? static_cast<int>(first.height()) : 0;
  QStaticText layout(text);
  layout.setTextFormat(Qt::PlainText);
  layout.prepare(QTransform(), font);
  if (m_lines.size() >= kKeptLines) {
    m_lines.pop_back();
  }
  m_lines.push_front({text, font, std::move(layout), height});
  return m_lines.front();
}

void ListLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  if (!IsPlainLine(item)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QWidget* widget = item.widget;
  const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  const QString text = item.text;
  // Without its text the item's rectangles are the same, and the style does not lay it out.
  item.text.clear();
  const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const QRect focusRect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &item, widget);
  const bool focused = item.state & QStyle::State_HasFocus;
  // The background and the selection, then the text, then the focus frame over them: the
  // style's frame may tint what lies under it. The style keeps all three within the item.
  item.state &= ~QStyle::State_HasFocus;
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  painter->save();
  painter->setClipRect(item.rect, Qt::IntersectClip);
  if (!text.isEmpty()) {
    const Line& line = Prepared(text, item.font);
    const QRect area = textRect.adjusted(margin, 0, -margin, 0);
    const int top = area.top() + (area.height() - line.height) / 2;
    painter->setFont(item.font);
    painter->setPen(TextColour(item));
    painter->drawStaticText(QPoint(area.left(), top), line.layout);
  }
  if (focused) {
    DrawFocusFrame(*painter, item, focusRect, *style);
  }
  painter->restore();
}

}  // namespace volmograph
