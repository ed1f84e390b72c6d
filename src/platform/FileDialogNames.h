#pragma once

// How a file dialog turns what the user typed into the file it answers with, shared by the
// desktop's dialogs and the scripted ones.

#include <string>

namespace volmograph {

// `typed` with ".extension" appended when its last component has none: "data" gives
// "data.mtr"; "data.txt", "data." and "folder/" stay as typed. A leading dot starts no
// extension, so ".data" gives ".data.mtr".
std::string ApplyDefaultExtension(const std::string& typed, const std::string& extension);

// The bare file name of `path`, its last component: the file title.
std::string FileTitle(const std::string& path);

}  // namespace volmograph
