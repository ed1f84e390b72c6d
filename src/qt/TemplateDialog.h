#pragma once

// A modal dialog built from a dialog template, in the dialogs' colours. Button 1 (OK) ends
// it with Accepted once the OK check passes, button 2 (Cancel) and Escape with Rejected.

#include <QDialog>
#include <functional>
#include <map>

#include "platform/DialogTemplate.h"
#include "qt/FontResolver.h"

namespace volmograph {

class TemplateDialog : public QDialog {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;

  explicit TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);

  // The widget of a control; null for an id the template does not have.
  QWidget* Control(int id) const;
  // Runs on OK; false keeps the dialog open.
  void SetOkCheck(std::function<bool()> check) { m_okCheck = std::move(check); }

 private:
  void OnOk();

  FontResolver m_fonts;
  std::map<int, QWidget*> m_controls;
  std::function<bool()> m_okCheck;
};

}  // namespace volmograph
