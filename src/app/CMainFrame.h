#pragma once

// The main window: an MDI frame with the menus, the accelerators, the toolbar and the
// status bar. It routes each command as the framework does (the active view first, then
// the frame, then the application) and keeps the menus' and the toolbar's check marks and
// enabled states up to date from the same routing.

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/CKeloDoc.h"
#include "app/MenuTables.h"
#include "platform/Profile.h"
#include "platform/SerialDevice.h"
#include "qt/QtStatusBar.h"
#include "view/CKeloView.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace volmograph {
class ViewWidget;
}

namespace volmograph::shell {

class HelpWindow;

// The application's part of the command routing, asked after the view and the frame.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  virtual bool OnCommand(int id) = 0;
  // nullopt when the application has no handler for the command.
  virtual std::optional<CommandState> QueryCommand(int id) = 0;
};

class CMainFrame : public QMainWindow {
 public:
  static constexpr int kStatusTimerMs = 1000;
  static constexpr QSize kStartSize{640, 480};

  CMainFrame(Profile& profile, SerialConnector& serial, CommandTarget& app, bool demo);
  ~CMainFrame() override;

  // Start-up picture, toolbar, status bar, size, status-bar timer, caption. False when a
  // part cannot be made; the program then ends. `beforeFirstText`, if given, runs just
  // before the frame first draws or measures text: in the start-up picture, or else in the
  // status bar.
  bool OnCreate(const std::function<void()>& beforeFirstText = nullptr);

  // A new document with its own window and view, maximised. False if none could be made.
  bool NewDocument();

  // Routes a command; false when nothing handles it (the accelerators without handlers).
  bool OnCommand(int id);
  CommandState QueryCommand(int id);

  // The view of the active document window, or null when none is open.
  ViewWidget* ActiveView() const;
  std::vector<ViewWidget*> Views() const;
  QMdiArea* MdiArea() const { return m_mdiArea; }
  QToolBar* ToolBar() const { return m_toolBar; }
  QtStatusBar* StatusPanes() const { return m_statusPanes.get(); }
  HelpWindow* Help();
  // The help window if it has been opened, else null.
  HelpWindow* HelpIfOpen() const { return m_help; }
  // Top-level menus of menu 2 and menu 3, as shown in the menu bar.
  const std::vector<QMenu*>& NoDocumentMenus() const { return m_menu2; }
  const std::vector<QMenu*>& DocumentMenus() const { return m_menu3; }

  // The idle-time update of the toolbar's buttons: whenever the event loop is about to wait.
  void UpdateToolbar();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // FrameMenus.cpp
  void BuildMenus();
  QMenu* BuildMenu(const MenuNode& popup, QWidget* parent);
  void AddRecentFiles(QMenu& menu);
  void BuildAccelerators();
  void UpdateMenu(QMenu& menu);
  void ShowMenusFor(bool documentOpen);

  bool CreateToolBar();
  bool CreateStatusBar();
  void UseDocumentCloseKey(QMdiSubWindow& window);
  void CentreOnDesktop();
  bool OnFrameCommand(int id);
  void DocumentWindowClosed(QMdiSubWindow* window);
  void ViewDestroyed();

  Profile& m_profile;
  SerialConnector& m_serial;
  CommandTarget& m_app;
  bool m_demo;
  bool m_shuttingDown = false;

  QMdiArea* m_mdiArea = nullptr;
  QToolBar* m_toolBar = nullptr;
  std::unique_ptr<QtStatusBar> m_statusPanes;
  HelpWindow* m_help = nullptr;
  std::vector<QMenu*> m_menu2;
  std::vector<QMenu*> m_menu3;
  std::vector<QAction*> m_toolbarActions;
  std::map<QMdiSubWindow*, std::unique_ptr<CKeloDoc>> m_documents;
  int m_statusTimer = 0;
};

}  // namespace volmograph::shell
