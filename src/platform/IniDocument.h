#pragma once

// The settings file as text a user can read and edit:
//
//   ; a comment
//   [Sampling Time]
//   Current=20
//   Use display=  1 SEC
//
// A section runs from its "[name]" line to the next one. An entry is "key=value": the key is
// the text before the first '=' without surrounding blanks, the value everything after it, its
// blanks kept exactly. Sections and keys match ASCII-case-insensitively and the first match
// wins. Lines starting with ';' are comments. Lines without '=', with control characters
// (NULs, binary junk) or longer than kMaxLineLength are ignored by lookups. Edits keep every
// other line as it was; a new key goes after the last entry of its section, a new section at
// the end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volmograph {

struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
  friend bool operator==(const ProfileEntry&, const ProfileEntry&) = default;
};

class IniDocument {
 public:
  static constexpr std::size_t kMaxLineLength = 4096;

  IniDocument() = default;
  // Splits text at "\n". A "\r" before it is not part of the line's content; the first line's
  // ending is the one new lines get.
  explicit IniDocument(std::string_view text);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The profile's integer reading: the value must be a whole integer (see ParseInteger);
  // a missing or malformed value gives the default.
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  std::string GetString(std::string_view section, std::string_view key,
                        const std::string& defaultValue) const;
  // Sets an entry, adding the key or section when missing. False (and nothing changed) when
  // the names or the value cannot be written so that they read back the same.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Text() const;
  // Every entry lookups can see, in file order (shadowed duplicates included).
  std::vector<ProfileEntry> Entries() const;
  // Numbers (from 1) of the lines lookups ignore for their control characters or length.
  std::vector<std::size_t> DamagedLines() const;

 private:
  struct Line;
  Line Classify(std::size_t index) const;
  // Line `index` without the CR of its line ending.
  std::string_view Content(std::size_t index) const;
  // Its content without the byte order mark that may open the file.
  std::string_view LineText(std::size_t index) const;
  // `text` with the CR of the file's line ending when it has one.
  std::string NewLine(std::string text) const;
  // Index of the header of the first section named `section`, or npos.
  std::size_t FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<std::string> m_lines;
  std::string m_newline = "\n";
};

}  // namespace volmograph
