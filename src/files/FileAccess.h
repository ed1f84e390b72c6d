#pragma once

// Whole-file access for the data files: a capped read of a file's first bytes, and a
// write that either replaces the file completely or leaves the old one untouched.

#include <cstddef>
#include <string>
#include <string_view>

namespace volmograph {

// The system's text for an errno value, e.g. "No space left on device".
std::string SystemErrorText(int errnum);

// Opens `path` for reading. Only a regular file is accepted ("Not a regular file"
// otherwise): a FIFO or a device named in the Open dialog must not hang or flood the
// program. Returns the descriptor, or -1 with `error` set.
int OpenRegularFile(const std::string& path, std::string& error);

// Reads the first `maxBytes` bytes of the regular file `path` (fewer if it is shorter) into
// `bytes`; a larger file is never loaded whole. `more`, if given, tells whether the file
// holds further bytes. False with `error` set when the file cannot be opened or read.
bool ReadFileHead(const std::string& path, std::size_t maxBytes, std::string& bytes,
                  std::string& error, bool* more = nullptr);

// Replaces the file `path` with `bytes`: they go to a temporary file in the same folder,
// which is flushed to disk and then renamed over `path` (a symbolic link is followed, so
// the file it names is replaced and the link stays). An existing file keeps its permission
// bits. Only what the user could overwrite in place is replaced: a write-protected file
// ("Permission denied"), a FIFO or a device ("Not a regular file") and a directory stay as
// they are. On any failure the old file is untouched, no temporary file is left behind, and
// `error` holds the reason ("No space left on device", "Permission denied", ...).
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Whether WriteFileAtomically could replace `path` now, by the same rules and the folder's
// permission, without writing anything: for a long run, whose result would otherwise only
// meet a refusal at its end. False with `error` set when it could not.
bool CanWriteFileAtomically(const std::string& path, std::string& error);

}  // namespace volmograph
