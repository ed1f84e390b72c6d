#pragma once

#include <QGuiApplication>
#include <memory>

namespace volmograph {

// Makes sure a QGuiApplication exists, as fonts and images need one. Without a display
// (neither DISPLAY nor WAYLAND_DISPLAY set) it runs on the offscreen platform, so the
// command-line tool renders PNGs on a server too. Returns the application it created, to
// be kept for as long as anything is drawn, or null when one existed already.
std::unique_ptr<QGuiApplication> EnsureGuiApplication();

// What EnsureGuiApplication does before it makes the application, for a program that makes
// its own: the offscreen platform when there is no display, and a private runtime folder.
void PrepareGuiEnvironment();

}  // namespace volmograph
