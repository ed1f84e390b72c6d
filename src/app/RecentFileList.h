#pragma once

// The recent-file list: up to four entries, read from the profile's "Recent File List"
// section ("File1".."File4"). The view opens and saves data files itself and never adds to
// the list, and settings are never written at shutdown, so the program only reads it.

#include <string>
#include <vector>

#include "platform/Profile.h"

namespace volmograph::shell {

inline constexpr const char* kRecentFileSection = "Recent File List";

// The non-empty entries in order, File1 first.
std::vector<std::string> LoadRecentFiles(Profile& profile, int count);

// The menu text of entry `index` (from 0): "&1 name" with the file's name only.
std::string RecentFileMenuText(int index, const std::string& path);

}  // namespace volmograph::shell
