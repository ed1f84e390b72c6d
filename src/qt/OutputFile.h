#pragma once

// Output files made whole in memory first (a PNG, a PDF), then written in one piece: a
// failed encoder or printer never leaves half a file behind.

#include <QByteArray>
#include <string>
#include <string_view>

#include "files/FileAccess.h"

namespace volmograph {

// Replaces `path` with `bytes`; false with "Cannot write PATH: reason" in `error`.
inline bool WriteOutputFile(const std::string& path, const QByteArray& bytes, std::string& error) {
  std::string reason;
  if (!WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), reason)) {
    error = "Cannot write " + path + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace volmograph
