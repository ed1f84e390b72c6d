// STAND-IN for the form widget being built on its own branch; see ViewWidget.h.

#include "app/ViewWidget.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "platform/ListBox.h"
#include "platform/Prompter.h"
#include "platform/TextEncoding.h"
#include "qt/FontResolver.h"
#include "qt/RasterCanvas.h"
#include "view/Ids.h"

namespace volmograph {

namespace {

constexpr QSize kFormSize{620, 410};
constexpr QPoint kDisplayOrigin{157, 5};

QString Text1253(const std::string& bytes) {
  return QString::fromStdString(Cp1253ToUtf8(bytes));
}

}  // namespace

class StandInForm : public HeadlessForm {
 public:
  explicit StandInForm(QWidget& owner) : m_owner(owner) {}
  void SetText(int id, const std::string& text) override {
    HeadlessForm::SetText(id, text);
    m_owner.update();
  }
  void Show(int id, bool shown) override {
    HeadlessForm::Show(id, shown);
    m_owner.update();
  }
  void Invalidate() override { m_owner.update(); }
  volmograph::Canvas* AcquireCanvas(int id) override {
    RasterCanvas& canvas = id == ctl::kDisplayFrame ? m_display : m_whole;
    canvas.RestoreDefaults();
    return &canvas;
  }
  void ReleaseCanvas(int, volmograph::Canvas*) override { m_owner.update(); }
  const QImage& Display() const { return m_display.Image(); }

 private:
  QWidget& m_owner;
  RasterCanvas m_display;
  RasterCanvas m_whole{kFormSize.width(), kFormSize.height()};  // taken, never shown
};

class StandInListBox : public ListBox {
 public:
  explicit StandInListBox(QListWidget& list) : m_list(list) {}
  void Clear() override {
    m_list.clear();
    m_lines.clear();
  }
  int Add(const std::string& line) override {
    m_lines.push_back(line);
    m_list.addItem(Text1253(line));
    return static_cast<int>(m_lines.size()) - 1;
  }
  void DeleteAt(int index) override {
    if (index >= 0 && index < Count()) {
      m_lines.erase(m_lines.begin() + index);
      delete m_list.takeItem(index);
    }
  }
  int Count() const override { return static_cast<int>(m_lines.size()); }
  std::string Line(int index) const override {
    return index >= 0 && index < Count() ? m_lines[static_cast<std::size_t>(index)] : "";
  }
  void Select(int index) override {
    m_list.setCurrentRow(index);
    m_list.scrollToItem(m_list.currentItem());
  }
  int Selected() const override { return m_list.currentRow(); }
  void SetFont(const FontDescription&) override {}
  void SetRedraw(bool redraw) override { m_list.setUpdatesEnabled(redraw); }
  void Invalidate() override { m_list.update(); }

 private:
  QListWidget& m_list;
  std::vector<std::string> m_lines;
};

class StandInPrompter : public Prompter {
 public:
  explicit StandInPrompter(QWidget& owner) : m_owner(owner) {}
  void ShowMessage(const std::string& text, const std::string& detail) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Volmograph"),
                    QString::fromStdString(Cp1252ToUtf8(text)), QMessageBox::Ok, &m_owner);
    box.setInformativeText(QString::fromStdString(detail));
    box.exec();
  }

 private:
  QWidget& m_owner;
};

// Dialogs answered with Cancel until the real ones arrive; the print dialog is shown.
class StandInDialogs : public Dialogs {
 public:
  explicit StandInDialogs(QWidget& owner) : m_owner(owner) {}
  bool RunCommPort(CommPortLogic&) override { return false; }
  bool RunStartEnd(StartEndLogic&) override { return false; }
  std::optional<FileDialogAnswer> RunOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<FileDialogAnswer> RunSaveFile(const FileDialogRequest&) override { return {}; }
  bool PreparePrinting(PrintInfo& info) override {
    if (info.preview) {
      return true;
    }
    QPrintDialog dialog(&m_printer, &m_owner);
    dialog.setMinMax(1, std::max(info.maxPage, 1));
    return dialog.exec() == QDialog::Accepted;
  }
  QPrinter& Printer() { return m_printer; }

 private:
  QWidget& m_owner;
  QPrinter m_printer;
};

class StandInTimer : public Timer {
 public:
  explicit StandInTimer(QObject& owner) : m_owner(owner) {}
  bool Start(int id, int periodMs, std::function<void(int)> handler) override {
    Stop(id);
    auto* timer = new QTimer(&m_owner);
    QObject::connect(timer, &QTimer::timeout, timer, [handler, id] { handler(id); });
    timer->start(periodMs);
    m_timers[id] = timer;
    return true;
  }
  void Stop(int id) override {
    auto found = m_timers.find(id);
    if (found != m_timers.end()) {
      delete found->second;
      m_timers.erase(found);
    }
  }

 private:
  QObject& m_owner;
  std::map<int, QTimer*> m_timers;
};

ViewWidget::ViewWidget(Profile& profile, SerialConnector& serial, StatusBar& statusBar,
                       QWidget* parent)
    : QWidget(parent) {
  auto* list = new QListWidget(this);
  list->setGeometry(10, 248, 602, 157);
  list->setUniformItemSizes(true);
  list->setFont(QFont(QStringLiteral("Courier New"), 9));
  list->setStyleSheet(QStringLiteral("QListWidget { background: cyan; color: black; }"));
  const std::pair<int, const char*> buttons[] = {{ctl::kRelButton, "REL"},
                                                 {ctl::kPeakHoldButton, "P-H"},
                                                 {ctl::kMinMaxButton, "M/M"},
                                                 {ctl::kDbButton, "dB"}};
  int x = 159;
  for (const auto& [id, caption] : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setGeometry(x, 195, 86, 24);
    connect(button, &QPushButton::clicked, this, [this, id = id] { Command(id); });
    x += 122;
  }
  m_fonts = std::make_unique<FontResolver>(this);
  m_form = std::make_unique<StandInForm>(*this);
  m_list = std::make_unique<StandInListBox>(*list);
  m_prompter = std::make_unique<StandInPrompter>(*this);
  m_dialogs = std::make_unique<StandInDialogs>(*this);
  m_timer = std::make_unique<StandInTimer>(*this);
  const Platform platform{*m_form,    *m_list,  statusBar, profile, *m_prompter,
                          *m_dialogs, *m_timer, m_clock,   serial};
  m_view = std::make_unique<CKeloView>(platform);
  m_view->OnCreate();
  m_view->OnInitialUpdate();
}

ViewWidget::~ViewWidget() {
  m_view.reset();
}

bool ViewWidget::Command(int id) {
  return m_view->OnCommand(id);
}

QPrinter& ViewWidget::Printer() {
  return m_dialogs->Printer();
}

CommandState ViewWidget::Query(int id) const {
  return m_view->QueryCommand(id);
}

QSize ViewWidget::sizeHint() const {
  return kFormSize;
}

void ViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.drawImage(kDisplayOrigin, m_form->Display());
  // The readout statics over the display frame, at their places on the form.
  struct Static {
    int id;
    QRect box;
    Qt::Alignment align;
  };
  const Static statics[] = {
      {ctl::kValue, {173, 76, 266, 76}, Qt::AlignRight | Qt::AlignVCenter},
      {ctl::kUnit, {448, 106, 140, 45}, Qt::AlignLeft | Qt::AlignVCenter},
      {ctl::kRms, {448, 72, 79, 34}, Qt::AlignLeft | Qt::AlignVCenter},
      {ctl::kValue2, {250, 26, 186, 34}, Qt::AlignRight | Qt::AlignVCenter},
      {ctl::kUnit2, {439, 26, 100, 34}, Qt::AlignLeft | Qt::AlignVCenter},
  };
  for (const Static& control : statics) {
    const ControlState& state = m_form->Control(control.id);
    if (!state.shown || state.text.empty()) {
      continue;
    }
    painter.setFont(m_fonts->Resolve(state.font.value_or(FontDescription{"Courier New", 28, 0})));
    painter.drawText(control.box, control.align, Text1253(state.text));
  }
  const int sideTexts[] = {ctl::kRelReference, ctl::kDbReference, ctl::kPeakMax,  ctl::kPeakMin,
                           ctl::kMinMaxMax,    ctl::kMinMaxAvg,   ctl::kMinMaxMin};
  int y = 20;
  painter.setFont(font());
  for (int id : sideTexts) {
    const ControlState& state = m_form->Control(id);
    if (state.shown && !state.text.empty()) {
      painter.drawText(QRect(10, y, 140, 18), Qt::AlignCenter, Text1253(state.text));
    }
    y += 24;
  }
}

}  // namespace volmograph
