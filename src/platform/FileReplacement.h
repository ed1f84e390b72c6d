#pragma once

// Where a write that replaces a file should land, and whether it may replace it at all.
//
// Our writers put the new bytes in a temporary file and rename it over the old one. The
// rename needs only the folder's permission, so by itself it would replace a file the user
// could not overwrite in place, or swap a FIFO or a device for a plain file. These rules,
// shared by the settings file and the data files, keep such files as they are.

#include <string>

namespace volmograph {

// Follows symbolic links (at most 40), so that the file a link names is replaced and the
// link stays. A dangling link gives the path it names; anything else is returned unchanged.
std::string ResolveLinks(const std::string& path);

// True when the existing regular file `path`, with mode bits `mode`, is write-protected: it
// has no write bit at all, or access() refuses writing. Root passes access() for any file,
// so for root the bits alone decide: a file made read-only on purpose stays read-only.
bool IsWriteProtected(const std::string& path, unsigned mode);

// Why `path` (links already resolved) must not be replaced, or empty when it may be: it
// does not exist yet, or it is a regular file that is not write-protected. The reasons are
// "Is a directory", "Not a regular file" (FIFO, device, socket), "Too many levels of
// symbolic links" and "Permission denied".
std::string ReplaceRefusal(const std::string& path);

}  // namespace volmograph
