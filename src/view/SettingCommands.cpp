// The Setup menu: sampling interval, dB reference impedance, serial port, and the graph
// window. Each choice takes effect at once and is written to the profile at once; a write
// that fails is reported, and the choice still holds for this run.

#include "view/CCommPortDlg.h"
#include "view/CKeloView.h"
#include "view/CStartEndDlg.h"
#include "view/Ids.h"
#include "view/SettingTables.h"
#include "view/ViewText.h"

namespace volmograph {

void CKeloView::OnSamplingTime(int commandId) {
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.commandId != commandId) {
      continue;
    }
    // The running countdown finishes its period and reloads with the new count.
    m_meter.m_reloadTicks = choice.ticks;
    m_comSettings.m_samplingTicks = choice.ticks;
    bool written = m_platform.profile.WriteInt(kSectionSampling, kKeyCurrent, choice.storedCode);
    written = m_platform.profile.WriteString(kSectionSampling, kKeyUseDisplay, choice.paneText) &&
              written;
    SetStatusPane(pane::kSamplingTime, choice.paneText);
    for (int& flag : m_samplingCheck) {
      flag = 0;
    }
    m_samplingCheck[choice.checkIndex] = 1;
    ReportSettingNotSaved(written);
    return;
  }
}

void CKeloView::OnSampling50ms() {
  m_meter.m_reloadTicks = 1;
  m_comSettings.m_samplingTicks = 1;
  ReportSettingNotSaved(m_platform.profile.WriteInt(kSectionSampling, kKeyCurrent, 1));
}

void CKeloView::OnDbReference(int commandId) {
  const int index = commandId - cmd::kDbRefFirst;
  if (index < 0 || index >= static_cast<int>(kDbReferenceChoices.size())) {
    return;
  }
  m_dbRefOhm = kDbReferenceChoices[index].ohm;
  m_dbRefKOhm = kDbReferenceChoices[index].kiloOhm;
  ShowDbReference();
  const bool written = m_platform.profile.WriteInt(kSectionDb, kKeyRef, m_dbRefOhm);
  SetStatusPane(pane::kDbReference, Format("%4d Ohm", m_dbRefOhm));
  for (int& flag : m_dbRefCheck) {
    flag = 0;
  }
  m_dbRefCheck[index] = 1;
  ReportSettingNotSaved(written);
}

void CKeloView::OnCommPort() {
  CCommPortDlg dialog(m_comSettings.m_portIndex);
  if (!m_platform.dialogs.RunCommPort(dialog)) {
    return;
  }
  m_comSettings.m_portIndex = dialog.m_portIndex;
  m_meter.m_portIndex = dialog.m_portIndex;
  const bool written =
      m_platform.profile.WriteInt(kSectionComm, kKeyPort, m_comSettings.m_portIndex);
  SetStatusPane(pane::kPort,
                Format("COM %1lld", static_cast<long long>(m_comSettings.m_portIndex) + 1));
  ReportSettingNotSaved(written);
}

// Said after the choice has taken effect, so the message never stands between the user and
// what was chosen.
void CKeloView::ReportSettingNotSaved(bool written) {
  if (!written) {
    m_platform.prompter.ShowMessage("Settings Save Error!", m_platform.profile.WriteFailure());
  }
}

void CKeloView::OnStartEnd() {
  CStartEndDlg dialog;
  dialog.m_start = m_graphFirst;
  dialog.m_end = m_graphLast;
  if (!m_platform.dialogs.RunStartEnd(dialog)) {
    return;
  }
  m_graphFirst = dialog.m_start;
  m_graphLast = dialog.m_end;
}

}  // namespace volmograph
