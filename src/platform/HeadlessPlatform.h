#pragma once

#include "platform/HeadlessForm.h"
#include "platform/HeadlessListBox.h"
#include "platform/HeadlessStatusBar.h"
#include "platform/ManualClock.h"
#include "platform/ManualTimer.h"
#include "platform/MemoryProfile.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/ScriptedDialogs.h"
#include "platform/ScriptedSerial.h"

namespace volmograph {

// One of each headless implementation, for tests, replays and the command-line tool.
// Members are public so that a test can script and inspect each one.
class HeadlessPlatform {
 public:
  // Settings in m_memoryProfile.
  HeadlessPlatform() : m_profile(m_memoryProfile) {}
  // Settings in a profile of the caller's (an INI file, say), which must outlive this.
  explicit HeadlessPlatform(Profile& profile) : m_profile(profile) {}
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  // The bundle the view is built with; it refers to the members below.
  Platform Bundle();

  HeadlessForm m_form;
  HeadlessListBox m_list;
  HeadlessStatusBar m_statusBar;
  MemoryProfile m_memoryProfile;
  Profile& m_profile;
  RecordingPrompter m_prompter;
  ScriptedDialogs m_dialogs{m_prompter};
  ManualTimer m_timer;
  ManualClock m_clock;
  ScriptedSerialConnector m_serial;
};

}  // namespace volmograph
