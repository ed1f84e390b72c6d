#pragma once

// Saving a run's result the way the user would: through the view's Save command, its dialog
// answered with the path, so that every check of an interactive save applies.

#include <string>

#include "cli/ConsoleOutput.h"
#include "platform/ScriptedDialogs.h"
#include "view/CKeloView.h"

namespace volmograph::cli {

// False with `error` set when nothing was saved.
bool SaveThroughView(CKeloView& view, ScriptedDialogs& dialogs, ConsolePrompter& prompter,
                     const std::string& path, std::string& error);

}  // namespace volmograph::cli
