#include "qt/ViewWidget.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "qt/QtForm.h"
#include "qt/QtListBox.h"
#include "view/Ids.h"

namespace volmograph {

ViewWidget::ViewWidget(Profile& profile, SerialConnector& serial, StatusBar& statusBar,
                       QWidget* parent)
    : QWidget(parent),
      m_form(new QtForm),
      m_list(std::make_unique<QtListBox>(m_form)),
      m_prompter(this),
      m_dialogs(m_prompter, this) {
  // The form keeps its size; a smaller window scrolls it, as a form view does.
  auto* scroller = new QScrollArea(this);
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidget(m_form);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroller);

  m_form->Adopt(ctl::kSampleList, m_list->Widget());
  m_dialogs.SetRepaintAfterOpen([this] { m_form->Invalidate(); });
  const Platform platform{*m_form,   *m_list, statusBar, profile, m_prompter,
                          m_dialogs, m_timer, m_clock,   serial};
  m_view = std::make_unique<CKeloView>(platform);
  m_form->Attach(m_view.get());
  m_created = m_view->OnCreate() == 0;
  if (m_created) {
    m_view->OnInitialUpdate();
  }
}

ViewWidget::~ViewWidget() {
  // The view goes first: it stops its timer and closes the port while the widgets it
  // names still exist.
  m_form->Attach(nullptr);
  m_view.reset();
}

bool ViewWidget::Command(int id) {
  return m_created && m_view->OnCommand(id);
}

CommandState ViewWidget::Query(int id) const {
  if (!m_created) {
    return CommandState{false, false};
  }
  return m_view->QueryCommand(id);
}

QSize ViewWidget::sizeHint() const {
  return m_form->sizeHint();
}

}  // namespace volmograph
