#include "view/SettingsCheck.h"

#include <array>
#include <climits>

#include "platform/IntegerText.h"
#include "platform/MemoryProfile.h"
#include "view/SettingTables.h"

namespace volmograph {

namespace {

struct WholeNumberSetting {
  const char* section;
  const char* key;
  int minimum;  // smaller values are replaced by the default when the view reads them
};

// Port -1 is COM0, the choice of no port; a smaller index reads as COM0 too.
constexpr std::array<WholeNumberSetting, 3> kWholeNumberSettings{{
    {kSectionComm, kKeyPort, INT_MIN},
    {kSectionDb, kKeyRef, 1},
    {kSectionSampling, kKeyCurrent, 1},
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
  for (const auto& [section, key, minimum] : kWholeNumberSettings) {
    const std::string value = text.GetString(section, key, "");
    const std::string shown = file.Path() + ": [" + section + "] " + key + "=" + Quoted(value);
    if (IsMalformed(text, section, key)) {
      // A whole number with too many digits is one, and telling the user otherwise misleads.
      const bool tooLarge = ReadIntegerText(value).kind == IntegerTextKind::BeyondInt;
      problems.push_back(shown + (tooLarge ? " is out of range" : " is not a whole number") +
                         "; the default is used");
    } else if (text.GetInt(section, key, minimum) < minimum) {
      problems.push_back(shown + " is below " + std::to_string(minimum) + "; the default is used");
    }
  }
  return problems;
}

}  // namespace volmograph
