#include "app/RecentFileList.h"

namespace volmograph::shell {

std::vector<std::string> LoadRecentFiles(Profile& profile, int count) {
  std::vector<std::string> files;
  for (int i = 1; i <= count; ++i) {
    std::string path = profile.GetString(kRecentFileSection, "File" + std::to_string(i), "");
    if (!path.empty()) {
      files.push_back(std::move(path));
    }
  }
  return files;
}

std::string RecentFileMenuText(int index, const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  // A '&' in a file name is shown, not taken as a mnemonic.
  std::string escaped;
  for (char c : name) {
    escaped += c;
    if (c == '&') {
      escaped += '&';
    }
  }
  return "&" + std::to_string(index + 1) + " " + escaped;
}

}  // namespace volmograph::shell
