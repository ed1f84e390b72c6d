#pragma once

// What is wrong with the settings file, said once when a program starts: reads never fail
// and give the defaults instead, so without this a damaged file would go unnoticed.

#include <string>
#include <vector>

#include "platform/IniProfile.h"

namespace volmograph {

// Why the file cannot be read in full or which of its lines are damaged, and each of the
// view's whole-number settings whose value is not one, e.g. "PATH: [COMM] Port=abc is not a
// whole number; the default is used". Empty when all is well.
std::vector<std::string> SettingsFileProblems(IniProfile& file);

}  // namespace volmograph
