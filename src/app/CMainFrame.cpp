#include "app/CMainFrame.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/CStartupPicture.h"
#include "app/HelpWindow.h"
#include "app/ShellIds.h"
#include "app/ToolbarIcons.h"
#include "qt/ViewWidget.h"
#include "view/Ids.h"

namespace volmograph::shell {

namespace {

const char* ToolTip(int id) {
  switch (id) {
    case kFileOpen:
      return "Open";
    case kFileSave:
      return "Save";
    case kPrint:
      return "Print";
    case cmd::kStart:
      return "Start";
    case cmd::kStop:
      return "Stop";
    default:
      return "Pause";
  }
}

}  // namespace

CMainFrame::CMainFrame(Profile& profile, SerialConnector& serial, CommandTarget& app, bool demo)
    : m_profile(profile), m_serial(serial), m_app(app), m_demo(demo) {
  // Before creation the window spans the screen's width and half its height at the top
  // left; creation then gives it its real size and place.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desktop = screen->geometry();
    setGeometry(0, 0, desktop.width(), desktop.height() / 2);
  }
  setWindowTitle(QStringLiteral("Volmograph"));
}

CMainFrame::~CMainFrame() {
  // The views go first, while the frame they report to is still whole.
  m_shuttingDown = true;
  for (QMdiSubWindow* window :
       m_mdiArea != nullptr ? m_mdiArea->subWindowList() : QList<QMdiSubWindow*>{}) {
    delete window;
  }
}

bool CMainFrame::OnCreate(const std::function<void()>& beforeFirstText) {
  const bool pictureFirst = CStartupPicture::PictureEnabled();
  if (pictureFirst && beforeFirstText) {
    beforeFirstText();
  }
  CStartupPicture::ShowPicture(this);
  m_mdiArea = new QMdiArea(this);
  setCentralWidget(m_mdiArea);
  connect(m_mdiArea, &QMdiArea::subWindowActivated, this,
          [this] { ShowMenusFor(!m_mdiArea->subWindowList().isEmpty()); });
  if (!CreateToolBar()) {
    return false;
  }
  if (!pictureFirst && beforeFirstText) {
    beforeFirstText();
  }
  if (!CreateStatusBar()) {
    return false;
  }
  BuildMenus();
  BuildAccelerators();
  resize(kStartSize);
  CentreOnDesktop();
  m_statusTimer = startTimer(kStatusTimerMs);
  // The toolbar was brought up to date whenever the message queue ran empty; the moment
  // the event loop is about to wait is that moment, so a run that a tick ended shows at once.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &CMainFrame::UpdateToolbar);
  setWindowTitle(QStringLiteral("Volmograph"));
  return true;
}

bool CMainFrame::CreateToolBar() {
  m_toolBar = addToolBar(QStringLiteral("Toolbar"));
  if (m_toolBar == nullptr) {
    return false;
  }
  m_toolBar->setObjectName(QStringLiteral("toolbar59392"));
  m_toolBar->setIconSize(QSize(kToolbarIconWidth, kToolbarIconHeight));
  m_toolBar->setMovable(false);
  for (int id : ToolbarLayout()) {
    if (id == 0) {
      m_toolBar->addSeparator();
      continue;
    }
    QAction* action = m_toolBar->addAction(QIcon(QPixmap::fromImage(ToolbarPicture(id))),
                                           QString::fromLatin1(ToolTip(id)));
    action->setData(id);
    action->setStatusTip(QString::fromStdString(CommandPrompt(id)));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_toolbarActions.push_back(action);
  }
  return true;
}

bool CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("statusbar59393"));
  m_statusPanes = std::make_unique<QtStatusBar>(
      *bar, QStringLiteral("For Help, press F1"),
      std::vector<QtStatusBar::Indicator>{{pane::kFileName, "FILENAME.EXT"},
                                          {pane::kDbReference, "1000 Ohm"},
                                          {pane::kSamplingTime, "250 mSEC"},
                                          {pane::kPort, "COM 1"}});
  return true;
}

void CMainFrame::CentreOnDesktop() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect desktop = screen->availableGeometry();
  const QSize size = frameGeometry().size();
  move(desktop.x() + (desktop.width() - size.width()) / 2,
       desktop.y() + (desktop.height() - size.height()) / 2);
}

bool CMainFrame::NewDocument() {
  auto document = std::make_unique<CKeloDoc>();
  if (!document->OnNewDocument()) {
    return false;
  }
  auto* view = new ViewWidget(m_profile, m_serial, *m_statusPanes);
  if (!view->IsCreated()) {
    delete view;  // the view has said why in a message box
    return false;
  }
  view->SetFileDialogHelp([](QWidget* dialog) {
    auto* help = new HelpWindow(dialog);
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->ShowPage(kDataFilesHelpPage);
  });
  // Closing the view's window ends the program, whichever document it was.
  view->View().m_onDestroyed = [this] { ViewDestroyed(); };
  QMdiSubWindow* window = m_mdiArea->addSubWindow(view);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // No title of its own: maximised, the window adds nothing to the frame's "Volmograph".
  window->setWindowTitle(QString());
  UseDocumentCloseKey(*window);
  connect(window, &QObject::destroyed, this, [this, window] { DocumentWindowClosed(window); });
  m_documents[window] = std::move(document);
  window->showMaximized();
  m_mdiArea->setActiveSubWindow(window);
  ShowMenusFor(true);
  UpdateToolbar();
  return true;
}

// Closing a document window ends the program, so the desktop's Ctrl+W, which the window's
// own Close would answer to, is no key of it; the frame's Ctrl+F4 closes the current one.
void CMainFrame::UseDocumentCloseKey(QMdiSubWindow& window) {
  const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
  for (QAction* action : window.systemMenu()->actions()) {
    if (!action->shortcuts().isEmpty() && action->shortcuts() == closeKeys) {
      action->setShortcuts({});
    }
  }
}

void CMainFrame::ViewDestroyed() {
  if (!m_shuttingDown) {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  }
}

void CMainFrame::DocumentWindowClosed(QMdiSubWindow* window) {
  m_documents.erase(window);
  if (!m_shuttingDown) {
    ShowMenusFor(!m_documents.empty());
  }
}

HelpWindow* CMainFrame::Help() {
  // Made when first asked for, which most runs never do.
  if (m_help == nullptr) {
    m_help = new HelpWindow(this);
  }
  return m_help;
}

ViewWidget* CMainFrame::ActiveView() const {
  // The current window stays current while the frame itself is not the active window.
  QMdiSubWindow* window = m_mdiArea->currentSubWindow();
  if (window == nullptr && !m_mdiArea->subWindowList().isEmpty()) {
    window = m_mdiArea->subWindowList().first();
  }
  return window != nullptr ? dynamic_cast<ViewWidget*>(window->widget()) : nullptr;
}

std::vector<ViewWidget*> CMainFrame::Views() const {
  std::vector<ViewWidget*> views;
  for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
    if (auto* view = dynamic_cast<ViewWidget*>(window->widget())) {
      views.push_back(view);
    }
  }
  return views;
}

bool CMainFrame::OnCommand(int id) {
  ViewWidget* view = ActiveView();
  bool handled = false;
  if (view != nullptr && IsViewCommand(id)) {
    handled = view->Command(id);
  }
  if (!handled) {
    handled = OnFrameCommand(id) || m_app.OnCommand(id);
  }
  UpdateToolbar();
  return handled;
}

bool CMainFrame::OnFrameCommand(int id) {
  switch (id) {
    case kHelpIndex:
    case kContextHelp:
    case kHelp:
    case kDefaultHelp:
      Help()->ShowPage(kHelpContentsPage);
      return true;
    case kHelpUsing:
      Help()->ShowPage(kUsingHelpPage);
      return true;
    case kViewToolbar:
      m_toolBar->setVisible(m_toolBar->isHidden());
      return true;
    case kViewStatusBar:
      statusBar()->setVisible(statusBar()->isHidden());
      return true;
    default:
      return false;
  }
}

CommandState CMainFrame::QueryCommand(int id) {
  ViewWidget* view = ActiveView();
  if (IsViewCommand(id) && view != nullptr) {
    return view->Query(id);
  }
  switch (id) {
    case kViewToolbar:
      return {true, !m_toolBar->isHidden()};
    case kViewStatusBar:
      return {true, !statusBar()->isHidden()};
    case kHelpIndex:
    case kHelpUsing:
      return {true, false};
    default:
      break;
  }
  // Commands nobody handles are greyed, as the framework greys them.
  return m_app.QueryCommand(id).value_or(CommandState{false, false});
}

void CMainFrame::UpdateToolbar() {
  if (m_shuttingDown) {
    return;
  }
  for (QAction* action : m_toolbarActions) {
    const CommandState state = QueryCommand(action->data().toInt());
    action->setEnabled(state.enabled);
  }
}

void CMainFrame::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_statusTimer) {
    statusBar()->update();
  }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // Nothing is saved here: every setting was written when it was changed, and the
  // documents are never modified.
  event->accept();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace volmograph::shell
