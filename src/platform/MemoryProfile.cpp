#include "platform/MemoryProfile.h"

namespace volmograph {

MemoryProfile::MemoryProfile(std::string_view iniText) : m_document(iniText) {}

int MemoryProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) {
  return m_document.GetInt(section, key, defaultValue);
}

std::string MemoryProfile::GetString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
  return m_document.GetString(section, key, defaultValue);
}

bool MemoryProfile::WriteInt(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool MemoryProfile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  ++m_writeCount;
  return m_writable && m_document.Set(section, key, value);
}

}  // namespace volmograph
