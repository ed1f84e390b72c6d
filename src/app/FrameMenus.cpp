// The frame's menus 2 and 3, the recent-file entries and the accelerator table.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "app/CMainFrame.h"
#include "app/RecentFileList.h"
#include "app/ShellIds.h"
#include "view/Ids.h"
#include "view/SettingTables.h"

namespace volmograph::shell {

namespace {

// Items that carry a check mark: the toggles and the two choice groups of Setup.
bool CanBeChecked(int id) {
  if (id == kViewToolbar || id == kViewStatusBar) {
    return true;
  }
  if (id >= cmd::kDbRefFirst && id <= cmd::kDbRefLast) {
    return true;
  }
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.commandId == id) {
      return true;
    }
  }
  return false;
}

}  // namespace

void CMainFrame::BuildMenus() {
  for (const MenuNode& popup : NoDocumentMenu()) {
    m_menu2.push_back(BuildMenu(popup, this));
  }
  for (const MenuNode& popup : DocumentMenu(m_demo)) {
    m_menu3.push_back(BuildMenu(popup, this));
  }
  ShowMenusFor(false);
}

QMenu* CMainFrame::BuildMenu(const MenuNode& popup, QWidget* parent) {
  auto* menu = new QMenu(QString::fromStdString(popup.text), parent);
  for (const MenuNode& node : popup.children) {
    if (node.IsSeparator()) {
      menu->addSeparator();
    } else if (!node.children.empty()) {
      menu->addMenu(BuildMenu(node, menu));
    } else if (node.id == kRecentFile1) {
      AddRecentFiles(*menu);
    } else {
      // The text after "\t" is shown as the shortcut; the keys themselves belong to the
      // accelerator table, which asks for the command's state when they are pressed.
      QAction* action = menu->addAction(QString::fromStdString(node.text));
      action->setData(node.id);
      action->setCheckable(CanBeChecked(node.id));
      action->setStatusTip(QString::fromStdString(CommandPrompt(node.id)));
      const int id = node.id;
      connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
  }
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(*menu); });
  return menu;
}

void CMainFrame::AddRecentFiles(QMenu& menu) {
  const std::vector<std::string> files = LoadRecentFiles(m_profile, kRecentFileCount);
  if (files.empty()) {
    // Greyed for good: without data the menu updates pass over it.
    QAction* placeholder = menu.addAction(QStringLiteral("Recent File"));
    placeholder->setEnabled(false);
    return;
  }
  for (int i = 0; i < static_cast<int>(files.size()); ++i) {
    QAction* action = menu.addAction(QString::fromStdString(RecentFileMenuText(i, files[i])));
    action->setData(kRecentFile1 + i);
    action->setStatusTip(QString::fromStdString(CommandPrompt(kRecentFile1)));
    action->setToolTip(QString::fromStdString(files[i]));
    const int id = kRecentFile1 + i;
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  }
}

void CMainFrame::BuildAccelerators() {
  for (const Accelerator& accelerator : Accelerators(m_demo)) {
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(accelerator.keys)), this);
    shortcut->setContext(Qt::WindowShortcut);
    const int id = accelerator.id;
    // Keys without a handler (undo, cut, copy, paste, the pane keys) are taken and do
    // nothing, so they reach no control either.
    connect(shortcut, &QShortcut::activated, this, [this, id] { OnCommand(id); });
  }
  // The key that closes a document window, as the window's own menu would have it.
  auto* closeDocument = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this);
  connect(closeDocument, &QShortcut::activated, this, [this] {
    if (QMdiSubWindow* window = m_mdiArea->currentSubWindow()) {
      window->close();
    }
  });
}

void CMainFrame::UpdateMenu(QMenu& menu) {
  for (QAction* action : menu.actions()) {
    if (action->isSeparator() || action->menu() != nullptr || !action->data().isValid()) {
      continue;
    }
    const CommandState state = QueryCommand(action->data().toInt());
    action->setEnabled(state.enabled);
    if (state.checked && !action->isCheckable()) {
      action->setCheckable(true);
    }
    action->setChecked(state.checked);
  }
}

void CMainFrame::ShowMenusFor(bool documentOpen) {
  const std::vector<QMenu*>& shown = documentOpen ? m_menu3 : m_menu2;
  const QList<QAction*> inBar = menuBar()->actions();
  if (!inBar.isEmpty() && inBar.front() == shown.front()->menuAction()) {
    return;
  }
  // Only the current set is in the bar: a hidden menu keeps its mnemonic, and a letter that
  // two menus claim opens neither of them.
  menuBar()->clear();
  for (QMenu* menu : shown) {
    menuBar()->addMenu(menu);
  }
}

}  // namespace volmograph::shell
