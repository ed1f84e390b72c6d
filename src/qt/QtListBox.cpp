#include "qt/QtListBox.h"

#include <QListWidget>

#include "qt/ByteText.h"
#include "qt/ListLineDelegate.h"

namespace volmograph {

QtListBox::QtListBox(QWidget* parent)
    : m_widget(new QListWidget(parent)), m_fonts(m_widget.data()) {
  m_widget->setUniformItemSizes(true);
  m_widget->setItemDelegate(new ListLineDelegate(m_widget));
  m_widget->setSelectionMode(QAbstractItemView::SingleSelection);
  // A line wider than the list is cut at its edge, never shortened with an ellipsis.
  m_widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_widget->setTextElideMode(Qt::ElideNone);
}

QtListBox::~QtListBox() {
  if (m_widget != nullptr && m_widget->parent() == nullptr) {
    delete m_widget.data();
  }
}

void QtListBox::Clear() {
  m_widget->clear();
  m_lines.clear();
}

int QtListBox::Add(const std::string& line) {
  m_widget->addItem(new QListWidgetItem(DecodeBytes(line, m_charSet)));
  m_lines.push_back(line);
  return m_widget->count() - 1;
}

void QtListBox::DeleteAt(int index) {
  if (index < 0 || index >= m_widget->count()) {
    return;
  }
  const bool wasSelected = index == Selected();
  delete m_widget->takeItem(index);
  m_lines.erase(m_lines.begin() + index);
  if (wasSelected) {
    m_widget->setCurrentRow(-1);
  }
}

int QtListBox::Count() const {
  return m_widget->count();
}

std::string QtListBox::Line(int index) const {
  return index >= 0 && index < static_cast<int>(m_lines.size())
             ? m_lines[static_cast<std::size_t>(index)]
             : std::string();
}

void QtListBox::Select(int index) {
  QListWidgetItem* item = m_widget->item(index);
  if (item == nullptr) {
    m_widget->setCurrentRow(-1);
    return;
  }
  m_widget->setCurrentItem(item);
  // Scrolling lays out every line. A hidden list (the form before it is first shown, primed
  // line by line) is brought to its current line as it is shown.
  if (m_widget->isVisible()) {
    m_widget->scrollToItem(item);
  }
}

int QtListBox::Selected() const {
  const int row = m_widget->currentRow();
  const QListWidgetItem* item = m_widget->item(row);
  return item != nullptr && item->isSelected() ? row : -1;
}

void QtListBox::SetFont(const FontDescription& font) {
  if (font == m_font) {
    return;  // the tick sets the same font before every line
  }
  m_font = font;
  m_widget->setFont(m_fonts.Resolve(font));
  if (font.charSet == m_charSet) {
    return;
  }
  m_charSet = font.charSet;
  for (int i = 0; i < m_widget->count(); ++i) {
    m_widget->item(i)->setText(DecodeBytes(Line(i), m_charSet));
  }
}

void QtListBox::SetRedraw(bool redraw) {
  m_widget->setUpdatesEnabled(redraw);
  if (redraw) {
    m_widget->viewport()->update();
  }
}

void QtListBox::Invalidate() {
  m_widget->viewport()->update();
}

}  // namespace volmograph
