#pragma once

// The open and save file dialogs on the desktop, from the core's requests: filters, the
// default extension, the path chosen last time, and the prompts to create a missing file or
// to replace an existing one.

#include <functional>
#include <optional>

#include "platform/Dialogs.h"

class QWidget;

namespace volmograph {

// Shows help while the file dialog is up, in a window of that dialog, as the dialog blocks
// every other window. A request for a Help button gets one only if there is such help.
using FileDialogHelp = std::function<void(QWidget* dialog)>;

std::optional<FileDialogAnswer> RunOpenFileDialog(const FileDialogRequest& request, QWidget* owner,
                                                  const FileDialogHelp& help = {});
std::optional<FileDialogAnswer> RunSaveFileDialog(const FileDialogRequest& request, QWidget* owner,
                                                  const FileDialogHelp& help = {});

}  // namespace volmograph
