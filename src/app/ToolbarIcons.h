#pragma once

// The toolbar's six pictures, 16 x 15 pixels each, drawn here in a 16-colour palette:
// open (folder), save (diskette), print (printer), start (play triangle), stop (square)
// and pause (two bars).

#include <QImage>

namespace volmograph::shell {

inline constexpr int kToolbarIconWidth = 16;
inline constexpr int kToolbarIconHeight = 15;

// The picture of a toolbar command; a null image for any other command.
QImage ToolbarPicture(int commandId);

}  // namespace volmograph::shell
