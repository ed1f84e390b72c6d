#pragma once

#include <QImage>

namespace volmograph::shell {

inline constexpr int kStartupPictureWidth = 413;
inline constexpr int kStartupPictureHeight = 230;

// The start-up picture: the handheld meter beside the program's name and a recorded trace,
// drawn in code at 413 x 230 pixels, 24-bit colour.
QImage StartupArtwork();

}  // namespace volmograph::shell

namespace volmograph::shell {

// The program's icon: the meter of the start-up picture, at 32 x 32 pixels.
QImage ApplicationIconPicture();

}  // namespace volmograph::shell
