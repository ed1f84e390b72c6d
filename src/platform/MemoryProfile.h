#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/IniDocument.h"
#include "platform/Profile.h"

namespace volmograph {

// The settings store held in memory, with the same reading and writing rules as the INI
// file (for replays and tests).
class MemoryProfile : public Profile {
 public:
  MemoryProfile() = default;
  // Starts from the text of an INI file.
  explicit MemoryProfile(std::string_view iniText);

  int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& defaultValue) override;
  bool WriteInt(const std::string& section, const std::string& key, int value) override;
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

  // Every entry in store order, and the store as INI text.
  std::vector<ProfileEntry> Entries() const { return m_document.Entries(); }
  std::string Text() const { return m_document.Text(); }
  // With false, every write fails as on a read-only disk and changes nothing.
  void SetWritable(bool writable) { m_writable = writable; }
  std::string WriteFailure() const override {
    return m_writable ? std::string() : std::string("the settings are read-only");
  }
  // Writes asked for so far, failed ones included.
  int WriteCount() const { return m_writeCount; }

 private:
  IniDocument m_document;
  bool m_writable = true;
  int m_writeCount = 0;
};

}  // namespace volmograph
