#pragma once

#include <deque>
#include <string>
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

  explicit ScriptedDialogs(Prompter& prompter) : m_prompter(prompter) {}

  bool RunCommPort(CommPortLogic& dialog) override;
  bool RunStartEnd(StartEndLogic& dialog) override;

  // The next COMM PORT SET run: these radio clicks, then OK (true) or Cancel (false).
  void ScriptCommPort(std::vector<int> radioClicks, bool ok);
  // The next START/END run: OK pressed with each pair of texts in turn until one passes;
  // when none passes (or the list is empty) the user gives up with Cancel.
  void ScriptStartEnd(std::vector<StartEndAttempt> attempts);

  const std::vector<CommPortRecord>& CommPortRuns() const { return m_commPortRuns; }
  const std::vector<StartEndRecord>& StartEndRuns() const { return m_startEndRuns; }
  // Scripts not used yet.
  std::size_t PendingCommPort() const { return m_commPortScripts.size(); }
  std::size_t PendingStartEnd() const { return m_startEndScripts.size(); }

 private:
  struct CommPortScript {
    std::vector<int> clicks;
    bool ok = false;
  };

  Prompter& m_prompter;
  std::deque<CommPortScript> m_commPortScripts;
  std::deque<std::vector<StartEndAttempt>> m_startEndScripts;
  std::vector<CommPortRecord> m_commPortRuns;
  std::vector<StartEndRecord> m_startEndRuns;
};

}  // namespace volmograph
