#pragma once

// The About box: dialog template 100, "About..." with the version line, a second line and
// OK, in the dialogs' blue and yellow. Nothing is read back from it.

#include "qt/TemplateDialog.h"
#include "view/DialogTemplates.h"

namespace volmograph::shell {

class CAboutBox : public TemplateDialog {
 public:
  explicit CAboutBox(QWidget* parent = nullptr) : TemplateDialog(AboutBoxTemplate(), parent) {}
};

}  // namespace volmograph::shell
