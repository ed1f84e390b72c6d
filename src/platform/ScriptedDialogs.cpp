#include "platform/ScriptedDialogs.h"

namespace volmograph {

bool ScriptedDialogs::RunCommPort(CommPortLogic& dialog) {
  CommPortRecord record;
  record.checkedOnOpen = dialog.OnInitDialog();
  if (!m_commPortScripts.empty()) {
    const CommPortScript script = std::move(m_commPortScripts.front());
    m_commPortScripts.pop_front();
    for (int radioId : script.clicks) {
      dialog.OnRadioClicked(radioId);
    }
    record.ok = script.ok;
  }
  m_commPortRuns.push_back(record);
  return record.ok;
}

bool ScriptedDialogs::RunStartEnd(StartEndLogic& dialog) {
  StartEndRecord record{dialog.StartText(), dialog.EndText(), {}, false};
  if (!m_startEndScripts.empty()) {
    const std::vector<StartEndAttempt> attempts = std::move(m_startEndScripts.front());
    m_startEndScripts.pop_front();
    for (const StartEndAttempt& attempt : attempts) {
      int refused = 0;
      if (dialog.OnOK(attempt.startText, attempt.endText, m_prompter, refused)) {
        record.ok = true;
        break;
      }
      record.refusedFields.push_back(refused);
    }
  }
  m_startEndRuns.push_back(record);
  return record.ok;
}

void ScriptedDialogs::ScriptCommPort(std::vector<int> radioClicks, bool ok) {
  m_commPortScripts.push_back({std::move(radioClicks), ok});
}

void ScriptedDialogs::ScriptStartEnd(std::vector<StartEndAttempt> attempts) {
  m_startEndScripts.push_back(std::move(attempts));
}

}  // namespace volmograph
