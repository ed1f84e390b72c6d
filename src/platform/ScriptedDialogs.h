#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Prompter.h"

namespace volmograph {

// Dialogs answered from a script, for tests and replays. Each run of a dialog takes the next
// script of its kind; with none left the user cancels. The dialogs' own logic does the work,
// so validation messages reach the prompter as they would on screen.
class ScriptedDialogs : public Dialogs {
 public:
  struct StartEndAttempt {
    std::string startText;
    std::string endText;
  };
  // What one run of the COMM PORT SET dialog showed and how it ended.
  struct CommPortRecord {
    int checkedOnOpen = 0;  // what OnInitDialog checked (0: no radio button)
    bool ok = false;
  };
  // What one run of the START/END dialog showed and how it ended.
  struct StartEndRecord {
    std::string startShown;
    std::string endShown;
    std::vector<int> refusedFields;  // edit id refused by each failed OK press
    bool ok = false;
  };

  // What one run of the open or save file dialog was given and how it ended.
  struct FileDialogRecord {
    FileDialogRequest request;
    bool prompted = false;                   // the create or overwrite prompt came up
    std::optional<FileDialogAnswer> answer;  // nullopt: cancelled
  };

  // One run of the print dialog: the last page it offered, and the range chosen (nullopt:
  // cancelled).
  struct PrintDialogRecord {
    int maxPage = 0;
    std::optional<std::pair<int, int>> range;
  };

  explicit ScriptedDialogs(Prompter& prompter) : m_prompter(prompter) {}

  bool RunCommPort(CommPortLogic& dialog) override;
  bool RunStartEnd(StartEndLogic& dialog) override;
  std::optional<FileDialogAnswer> RunOpenFile(const FileDialogRequest& request) override;
  std::optional<FileDialogAnswer> RunSaveFile(const FileDialogRequest& request) override;
  bool PreparePrinting(PrintInfo& info) override;

  // The next COMM PORT SET run: these radio clicks, then OK (true) or Cancel (false).
  void ScriptCommPort(std::vector<int> radioClicks, bool ok);
  // The next START/END run: OK pressed with each pair of texts in turn until one passes;
  // when none passes (or the list is empty) the user gives up with Cancel.
  void ScriptStartEnd(std::vector<StartEndAttempt> attempts);

  // The user's choice in a file dialog, then Open or Save. A typed name gets the default
  // extension when it has none and is taken from the working folder when relative, as in
  // the desktop's dialogs; a file picked from the listing is taken as it is. When the create
  // (overwrite) prompt comes up, `agree` answers it; declining cancels. An open dialog
  // without the create prompt cancels on a name that does not exist.
  struct FileChoice {
    std::string name;
    bool typed = true;
    bool agree = true;
  };
  // The next run of the open (save) file dialog.
  void ScriptOpenFile(FileChoice choice);
  void ScriptSaveFile(FileChoice choice);

  // The next run of the print dialog: Print with pages from..to (0: the first, the last),
  // or Cancel. Preview shows no dialog and takes no script.
  void ScriptPrintDialog(bool ok, int fromPage = 0, int toPage = 0);

  const std::vector<CommPortRecord>& CommPortRuns() const { return m_commPortRuns; }
  const std::vector<StartEndRecord>& StartEndRuns() const { return m_startEndRuns; }
  const std::vector<FileDialogRecord>& OpenFileRuns() const { return m_openFileRuns; }
  const std::vector<FileDialogRecord>& SaveFileRuns() const { return m_saveFileRuns; }
  const std::vector<PrintDialogRecord>& PrintDialogRuns() const { return m_printDialogRuns; }
  // Scripts not used yet.
  std::size_t PendingCommPort() const { return m_commPortScripts.size(); }
  std::size_t PendingStartEnd() const { return m_startEndScripts.size(); }

 private:
  struct CommPortScript {
    std::vector<int> clicks;
    bool ok = false;
  };

  enum class FilePrompt { WhenMissing, WhenExisting };

  std::optional<FileDialogAnswer> RunFileDialog(const FileDialogRequest& request,
                                                std::deque<FileChoice>& scripts,
                                                std::vector<FileDialogRecord>& runs,
                                                FilePrompt prompt);

  Prompter& m_prompter;
  std::deque<CommPortScript> m_commPortScripts;
  std::deque<std::vector<StartEndAttempt>> m_startEndScripts;
  std::vector<CommPortRecord> m_commPortRuns;
  std::vector<StartEndRecord> m_startEndRuns;
  std::deque<FileChoice> m_openFileScripts;
  std::deque<FileChoice> m_saveFileScripts;
  std::vector<FileDialogRecord> m_openFileRuns;
  std::vector<FileDialogRecord> m_saveFileRuns;
  std::deque<std::optional<std::pair<int, int>>> m_printDialogScripts;
  std::vector<PrintDialogRecord> m_printDialogRuns;
};

}  // namespace volmograph
