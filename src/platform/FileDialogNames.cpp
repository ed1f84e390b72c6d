#include "platform/FileDialogNames.h"

namespace volmograph {

std::string ApplyDefaultExtension(const std::string& typed, const std::string& extension) {
  const std::string title = FileTitle(typed);
  const std::size_t dot = title.rfind('.');
  if (title.empty() || extension.empty() || (dot != std::string::npos && dot > 0)) {
    return typed;
  }
  return typed + "." + extension;
}

std::string FileTitle(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace volmograph
