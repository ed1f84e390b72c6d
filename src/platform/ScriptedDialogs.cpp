#include "platform/ScriptedDialogs.h"

#include <filesystem>

#include "platform/FileDialogNames.h"

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

std::optional<FileDialogAnswer> ScriptedDialogs::RunOpenFile(const FileDialogRequest& request) {
  return RunFileDialog(request, m_openFileScripts, m_openFileRuns, FilePrompt::WhenMissing);
}

std::optional<FileDialogAnswer> ScriptedDialogs::RunSaveFile(const FileDialogRequest& request) {
  return RunFileDialog(request, m_saveFileScripts, m_saveFileRuns, FilePrompt::WhenExisting);
}

std::optional<FileDialogAnswer> ScriptedDialogs::RunFileDialog(const FileDialogRequest& request,
                                                               std::deque<FileChoice>& scripts,
                                                               std::vector<FileDialogRecord>& runs,
                                                               FilePrompt prompt) {
  FileDialogRecord& record = runs.emplace_back(FileDialogRecord{request, false, std::nullopt});
  if (scripts.empty()) {
    return std::nullopt;
  }
  const FileChoice script = std::move(scripts.front());
  scripts.pop_front();
  if (script.name.empty()) {
    return std::nullopt;
  }
  std::error_code error;
  const std::string name =
      script.typed ? ApplyDefaultExtension(script.name, request.defaultExtension) : script.name;
  const std::filesystem::path path = std::filesystem::absolute(name, error);
  const bool exists = std::filesystem::exists(path, error);
  if (prompt == FilePrompt::WhenMissing && !exists) {
    record.prompted = request.createPrompt;
    if (!request.createPrompt || !script.agree) {
      return std::nullopt;
    }
  } else if (prompt == FilePrompt::WhenExisting && exists && request.overwritePrompt) {
    record.prompted = true;
    if (!script.agree) {
      return std::nullopt;
    }
  }
  record.answer = FileDialogAnswer{path.string(), FileTitle(path.string())};
  return record.answer;
}

bool ScriptedDialogs::PreparePrinting(PrintInfo& info) {
  if (info.preview) {
    return true;
  }
  PrintDialogRecord& record = m_printDialogRuns.emplace_back(PrintDialogRecord{info.maxPage, {}});
  if (m_printDialogScripts.empty()) {
    return false;
  }
  record.range = m_printDialogScripts.front();
  m_printDialogScripts.pop_front();
  if (!record.range) {
    return false;
  }
  info.fromPage = record.range->first;
  info.toPage = record.range->second;
  return true;
}

void ScriptedDialogs::ScriptPrintDialog(bool ok, int fromPage, int toPage) {
  m_printDialogScripts.push_back(ok ? std::optional(std::pair(fromPage, toPage)) : std::nullopt);
}

void ScriptedDialogs::ScriptOpenFile(FileChoice choice) {
  m_openFileScripts.push_back(std::move(choice));
}

void ScriptedDialogs::ScriptSaveFile(FileChoice choice) {
  m_saveFileScripts.push_back(std::move(choice));
}

void ScriptedDialogs::ScriptCommPort(std::vector<int> radioClicks, bool ok) {
  m_commPortScripts.push_back({std::move(radioClicks), ok});
}

void ScriptedDialogs::ScriptStartEnd(std::vector<StartEndAttempt> attempts) {
  m_startEndScripts.push_back(std::move(attempts));
}

}  // namespace volmograph
