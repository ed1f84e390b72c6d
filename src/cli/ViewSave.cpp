#include "cli/ViewSave.h"

#include "view/Ids.h"

namespace volmograph::cli {

bool SaveThroughView(CKeloView& view, ScriptedDialogs& dialogs, ConsolePrompter& prompter,
                     const std::string& path, std::string& error) {
  if (!view.QueryCommand(cmd::kSave).enabled) {
    error = "there is nothing to save";
    return false;
  }
  dialogs.ScriptSaveFile({.name = path, .typed = false});
  const std::size_t heldBefore = prompter.Held().size();
  const bool wasHolding = prompter.Holding();
  prompter.SetHolding(true);
  view.OnCommand(cmd::kSave);
  prompter.SetHolding(wasHolding);
  if (view.m_unsaved == 0) {
    return true;
  }
  error = prompter.Held().size() == heldBefore ? "the file was not saved"
                                               : prompter.Held().back().detail;
  return false;
}

}  // namespace volmograph::cli
