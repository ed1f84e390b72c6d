#pragma once

// The open and save file dialogs on the desktop, from the core's requests: filters, the
// default extension, the path chosen last time, and the prompts to create a missing file or
// to replace an existing one.

#include <optional>

#include "platform/Dialogs.h"

class QWidget;

namespace volmograph {

std::optional<FileDialogAnswer> RunOpenFileDialog(const FileDialogRequest& request, QWidget* owner);
std::optional<FileDialogAnswer> RunSaveFileDialog(const FileDialogRequest& request, QWidget* owner);

}  // namespace volmograph
