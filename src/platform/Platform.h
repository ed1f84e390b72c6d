#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/ListBox.h"
#include "platform/Profile.h"
#include "platform/Prompter.h"
#include "platform/SerialDevice.h"
#include "platform/StatusBar.h"
#include "platform/Timer.h"

namespace volmograph {

// Everything the view needs of the world, handed over as one bundle.
struct Platform {
  Form& form;
  ListBox& list;
  StatusBar& statusBar;
  Profile& profile;
  Prompter& prompter;
  Dialogs& dialogs;
  Timer& timer;
  Clock& clock;
  SerialConnector& serial;
};

}  // namespace volmograph
