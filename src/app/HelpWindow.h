#pragma once

// The help window: the user manual, compiled into the program, in a browser window that
// stays open beside the main window.

#include <QWidget>

class QTextBrowser;

namespace volmograph::shell {

inline constexpr const char* kHelpContentsPage = "qrc:/help/index.html";
inline constexpr const char* kUsingHelpPage = "qrc:/help/using.html";
inline constexpr const char* kDataFilesHelpPage = "qrc:/help/index.html#files";

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(QWidget* owner);

  // Shows the window (raising it if it is open already) at one of the pages above.
  void ShowPage(const char* page);
  QTextBrowser* Browser() const { return m_browser; }

 private:
  void PlaceBesideOwner();

  QTextBrowser* m_browser;
};

}  // namespace volmograph::shell
