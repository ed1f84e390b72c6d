#include "view/SettingsCheck.h"

#include <array>
#include <utility>

#include "platform/MemoryProfile.h"
#include "view/SettingTables.h"

namespace volmograph {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 3> kWholeNumberSettings{{
    {kSectionComm, kKeyPort},
    {kSectionDb, kKeyRef},
    {kSectionSampling, kKeyCurrent},
}};

// A malformed value reads as the default it is given, so two different defaults tell it
// from a number. A missing key is no problem: it has always meant the default.
bool IsMalformed(Profile& profile, const char* section, const char* key) {
  constexpr const char* kAbsent = "\x01";
  return profile.GetString(section, key, kAbsent) != kAbsent &&
         profile.GetInt(section, key, 0) != profile.GetInt(section, key, 1);
}

// The value as the user wrote it, cut short enough for a message.
std::string Quoted(std::string value) {
  constexpr std::size_t kShown = 40;
  return value.size() > kShown ? value.substr(0, kShown) + "..." : value;
}

}  // namespace

std::vector<std::string> SettingsFileProblems(IniProfile& file) {
  std::vector<std::string> problems;
  if (std::string unread = file.ReadProblem(); !unread.empty()) {
    problems.push_back(std::move(unread));
  }
  MemoryProfile text(file.Text());  // one reading of the file for all the checks
  for (const auto& [section, key] : kWholeNumberSettings) {
    if (IsMalformed(text, section, key)) {
      problems.push_back(file.Path() + ": [" + section + "] " + key + "=" +
                         Quoted(text.GetString(section, key, "")) +
                         " is not a whole number; the default is used");
    }
  }
  return problems;
}

}  // namespace volmograph
