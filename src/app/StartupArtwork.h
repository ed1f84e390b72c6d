#pragma once

#include <QIcon>
#include <QImage>

namespace volmograph::shell {

inline constexpr int kStartupPictureWidth = 413;
inline constexpr int kStartupPictureHeight = 230;

// The start-up picture: the handheld meter beside the program's name and a recorded trace,
// drawn in code at 413 x 230 pixels, 24-bit colour.
QImage StartupArtwork();

}  // namespace volmograph::shell

namespace volmograph::shell {

// The program's icon: the meter of the start-up picture, at 32 x 32 pixels, drawn at the
// first call.
QImage ApplicationIconPicture();

// That picture as an icon, drawn the first time the window system asks for it. Many never
// ask, and drawing it up front would hold up the first window.
QIcon ApplicationIcon();

}  // namespace volmograph::shell
