#pragma once

#include <cstddef>
#include <string>

#include "platform/Profile.h"

namespace volmograph {

// The settings store as an INI file a user can read and edit (format in IniDocument.h).
//
// Every read parses the file afresh, so edits made between runs, or while the program runs,
// count. A missing, unreadable or malformed file gives the defaults; integers that are not
// whole integers give the default too (not 0), so a damaged file never yields a nonsense
// setting. Only the first kMaxFileSize bytes are read; an incomplete last line and
// everything after the cap count as absent.
//
// Every write replaces the file at once: the new text goes to a temporary file in the same
// folder, is flushed to disk and renamed over the old one, so a crash or a full disk leaves
// either the old or the new file, never a mix. The folder is created if missing. A write
// fails (false, file untouched, no temporary file left) when the folder cannot be written,
// the disk is full, the existing file cannot be read, is not a regular file, is read-only,
// or is larger than the cap (rewriting it would lose the part that was never read).
class IniProfile : public Profile {
 public:
  static constexpr std::size_t kMaxFileSize = std::size_t{1} << 20;

  explicit IniProfile(std::string path);

  int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue) override;
  bool WriteInt(const std::string& section, const std::string& key, int value) override;
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

  const std::string& Path() const { return m_path; }
  // The text reads see: empty when the file is absent or unreadable, cut at the cap.
  // A copy in a MemoryProfile lets a run change settings without touching the file.
  std::string Text() const;

  // Why the file cannot be read in full, e.g. "PATH: Permission denied; the defaults are
  // used", or which of its lines are damaged; empty when all is well, or when there is no
  // file yet.
  std::string ReadProblem() const;
  std::string WriteFailure() const override { return m_writeFailure; }

 private:
  bool FailWrite(const std::string& reason);

  std::string m_path;
  std::string m_writeFailure;
};

// Where the settings live: $VOLMOGRAPH_INI when set and not empty, else
// $XDG_CONFIG_HOME/volmograph.ini, with XDG_CONFIG_HOME defaulting to $HOME/.config.
std::string DefaultProfilePath();

}  // namespace volmograph
