#include "view/CKeloView.h"

#include "view/DialogTemplates.h"
#include "view/Ids.h"
#include "view/SettingTables.h"
#include "view/ViewText.h"

namespace volmograph {

namespace {

FontDescription CourierNew(int height, int width, int escapement, int weight, CharSet charSet) {
  return FontDescription{"Courier New", height, width, escapement, weight, charSet};
}

}  // namespace

CKeloView::CKeloView(const Platform& platform)
    : m_sampleList(platform.list),
      m_meter(platform.serial, platform.prompter),
      m_platform(platform) {}

CKeloView::~CKeloView() {
  // The timer's handler points at this view; it must not outlive it.
  m_platform.timer.Stop(kViewTimerId);
  if (m_onDestroyed) {
    m_onDestroyed();
  }
  m_meter.Close();
}

int CKeloView::OnCreate() {
  m_meter.m_sampleDue = 0;
  SetDisplayMode(0);
  m_linesPerPage = 45;
  m_graphFirst = 0;
  m_graphLast = 500;

  Profile& profile = m_platform.profile;
  m_comSettings.m_portIndex = profile.GetInt(kSectionComm, kKeyPort, kDefaultPortIndex);
  m_meter.m_portIndex = m_comSettings.m_portIndex;

  ReadDbReference(profile);
  ReadSamplingTime(profile);

  CopyField(m_szFileName, "NONAME");
  SetStatusPane(pane::kFileName, "NONAME");
  SetStatusPane(pane::kDbReference, Format("%4d Ohm", m_dbRefOhm));
  SetStatusPane(pane::kSamplingTime, m_samplingLabel);
  SetStatusPane(pane::kPort,
                Format("COM %1lld", static_cast<long long>(m_comSettings.m_portIndex) + 1));

  if (!m_platform.form.Create(FormTemplate())) {
    return -1;
  }

  m_fontValue = CourierNew(80, 40, 0, 700, CharSet::Ansi);
  m_fontLarge = CourierNew(40, 20, 0, 700, CharSet::Ansi);
  m_fontLargeGreek = CourierNew(40, 20, 0, 700, CharSet::Greek);
  m_fontVertical = CourierNew(13, 10, 900, 600, CharSet::Greek);
  m_fontList = CourierNew(14, 10, 0, 600, CharSet::Greek);

  const bool timerStarted = m_platform.timer.Start(kViewTimerId, kViewTimerPeriodMs,
                                                   [this](int timerId) { OnTimer(timerId); });
  if (!timerStarted) {
    m_platform.prompter.ShowMessage("Too many clocks!");
  }
  m_displayMode = 0;
  return 0;
}

void CKeloView::ReadDbReference(Profile& profile) {
  m_dbRefOhm = profile.GetInt(kSectionDb, kKeyRef, kDefaultDbRefOhm);
  if (m_dbRefOhm <= 0) {
    // No impedance is zero or negative; such a value can only be a damaged profile.
    m_dbRefOhm = kDefaultDbRefOhm;
  }
  m_dbRefKOhm = static_cast<float>(m_dbRefOhm * 0.001);
  for (std::size_t i = 0; i < kDbReferenceChoices.size(); ++i) {
    if (kDbReferenceChoices[i].ohm == m_dbRefOhm) {
      m_dbRefCheck[i] = 1;
    }
  }
}

void CKeloView::ReadSamplingTime(Profile& profile) {
  int samplingCode = profile.GetInt(kSectionSampling, kKeyCurrent, kDefaultSamplingCode);
  if (samplingCode <= 0) {
    // No interval is zero or negative; such a code can only be a damaged profile.
    samplingCode = kDefaultSamplingCode;
  }
  m_samplingLabel = profile.GetString(kSectionSampling, kKeyUseDisplay, kDefaultSamplingLabel);
  int ticks = samplingCode;  // a code outside the table is used as the tick count itself
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.storedCode == samplingCode) {
      ticks = choice.ticks;
      m_samplingCheck[choice.checkIndex] = 1;
    }
  }
  m_comSettings.m_samplingTicks = ticks;
  m_meter.m_reloadTicks = ticks;
}

void CKeloView::OnInitialUpdate() {
  m_sampleList.Clear();
  m_sampleList.SetFont(m_fontList);
  // Priming the list control with blank lines sizes its scroll range before the first run.
  const std::string blankLine(65, ' ');
  for (int i = 0; i < 15; ++i) {
    m_sampleList.Select(m_sampleList.Add(blankLine));
  }
  m_sampleList.Clear();
}

std::optional<ControlColours> CKeloView::OnCtlColor(ControlKind kind, int controlId) {
  std::optional<ControlColours> colours;
  if (kind == ControlKind::Button) {
    return colours;
  }
  if (kind == ControlKind::ListBox) {
    colours = ControlColours{kBlack, kCyan, BkMode::Opaque};
  } else if ((controlId >= ctl::kValue && controlId <= ctl::kUnit2) ||
             controlId == ctl::kDisplayFrame) {
    colours = ControlColours{kBlack, kGreen, BkMode::Opaque};
  } else {
    return colours;
  }
  m_ctlBkColor = colours->background;
  m_ctlBrush = m_ctlBkColor;
  return colours;
}

bool CKeloView::OnCommand(int commandId) {
  // A disabled command never reaches its handler, as with a greyed menu item.
  if (!QueryCommand(commandId).enabled) {
    return true;
  }
  switch (commandId) {
    case cmd::kStart:
      OnRunStart();
      return true;
    case cmd::kStop:
      OnRunStop();
      return true;
    case cmd::kPause:
      OnRunPause();
      return true;
    case cmd::kCommPort:
      OnCommPort();
      return true;
    case cmd::kSampling50ms:
      OnSampling50ms();
      return true;
    case cmd::kStartEnd:
      OnStartEnd();
      return true;
    case cmd::kViewText:
      OnViewText();
      return true;
    case cmd::kViewLine:
      OnViewLine();
      return true;
    case cmd::kViewBar:
      OnViewBar();
      return true;
    case cmd::kOpen:
      OnFileOpen();
      return true;
    case cmd::kSave:
      OnFileSave();
      return true;
    case cmd::kViewWaveform:
      OnViewWaveform();
      return true;
    case ctl::kRelButton:
      OnRel();
      return true;
    case ctl::kDbButton:
      OnDb();
      return true;
    case ctl::kPeakHoldButton:
      OnPeakHold();
      return true;
    case ctl::kMinMaxButton:
      OnMinMax();
      return true;
    default:
      break;
  }
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.commandId == commandId) {
      OnSamplingTime(commandId);
      return true;
    }
  }
  if (commandId >= cmd::kDbRefFirst && commandId <= cmd::kDbRefLast) {
    OnDbReference(commandId);
    return true;
  }
  return false;
}

CommandState CKeloView::QueryCommand(int commandId) const {
  switch (commandId) {
    case cmd::kStart:
    case cmd::kCommPort:
    case cmd::kOpen:
      return {m_stopped == 1, false};
    case cmd::kStop:
      return {m_running == 1, false};
    case cmd::kPause:
      return {m_acquiring == 1, false};
    case cmd::kSave:
      return {m_unsaved == 1, false};
    default:
      break;
  }
  for (const SamplingChoice& choice : kSamplingChoices) {
    if (choice.commandId == commandId) {
      return {true, m_samplingCheck[choice.checkIndex] == 1};
    }
  }
  if (commandId >= cmd::kDbRefFirst && commandId <= cmd::kDbRefLast) {
    return {true, m_dbRefCheck[commandId - cmd::kDbRefFirst] == 1};
  }
  return {};
}

void CKeloView::SetStatusPane(int paneId, const std::string& text) {
  m_platform.statusBar.SetPane(paneId, text);
}

}  // namespace volmograph
