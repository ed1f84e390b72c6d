#pragma once

// The menus, the accelerator table and the toolbar's layout as plain tables: the frame
// builds its widgets from them and the tests compare them.

#include <string>
#include <vector>

namespace volmograph::shell {

// A menu entry: a command (id != 0), a popup (children), or a separator (neither).
// "\t" separates the item's text from its shortcut text.
struct MenuNode {
  std::string text;
  int id = 0;
  std::vector<MenuNode> children;

  bool IsSeparator() const { return id == 0 && children.empty(); }
};

// Menu 2: while no document window is open.
std::vector<MenuNode> NoDocumentMenu();
// Menu 3: the document window's menu; `demo` adds the demo's popup before Help.
std::vector<MenuNode> DocumentMenu(bool demo);

// An accelerator: keys in QKeySequence's portable text ("Ctrl+N", "Shift+F1").
struct Accelerator {
  const char* keys;
  int id;
};
// Table 2, plus the demo's key when `demo` is set.
std::vector<Accelerator> Accelerators(bool demo);

// The toolbar's eight entries; 0 is a separator.
std::vector<int> ToolbarLayout();

// The prompt shown in the status bar's message pane while a command is highlighted.
std::string CommandPrompt(int id);

}  // namespace volmograph::shell

namespace volmograph::shell {

// Commands the view handles (and whose state it gives): run control, display modes,
// settings, Open and Save.
bool IsViewCommand(int id);

}  // namespace volmograph::shell
