#pragma once

#include <QImage>
#include <string>

namespace volmograph {

// Writes `image` as a PNG file at `path`, replacing an existing file only when the whole
// picture could be written. False with `error` set to a readable reason otherwise.
bool WritePng(const QImage& image, const std::string& path, std::string& error);

}  // namespace volmograph
