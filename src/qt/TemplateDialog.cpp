#include "qt/TemplateDialog.h"

#include <QPushButton>

#include "qt/ByteText.h"
#include "qt/DialogColours.h"
#include "qt/DialogUnits.h"
#include "qt/TemplateWidgets.h"

namespace volmograph {

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_fonts(this) {
  const DialogUnits units(logicalDpiY());
  setWindowTitle(DecodeBytes(dialogTemplate.caption));
  setFont(TemplateFont(dialogTemplate, units, m_fonts));
  ApplyDialogColours(*this);
  for (const DialogControl& control : dialogTemplate.controls) {
    QWidget* widget = BuildControlWidget(control, units, *this);
    if (control.id != kNoControlId) {
      m_controls.emplace(control.id, widget);
    }
  }
  setFixedSize(units.SizeToPixels(dialogTemplate.rect));
  if (auto* ok = qobject_cast<QPushButton*>(Control(kIdOk))) {
    connect(ok, &QPushButton::clicked, this, &TemplateDialog::OnOk);
  }
  if (auto* cancel = qobject_cast<QPushButton*>(Control(kIdCancel))) {
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  }
}

QWidget* TemplateDialog::Control(int id) const {
  const auto found = m_controls.find(id);
  return found == m_controls.end() ? nullptr : found->second;
}

void TemplateDialog::OnOk() {
  if (!m_okCheck || m_okCheck()) {
    accept();
  }
}

}  // namespace volmograph
