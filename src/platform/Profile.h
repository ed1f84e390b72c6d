#pragma once

#include <string>

namespace volmograph {

// The application's settings store: sections, keys, integer and string values.
// Reads never fail (a missing or malformed value gives the default); a write reports
// whether it reached the store, and the caller's in-memory setting stands regardless.
class Profile {
 public:
  virtual ~Profile() = default;
  virtual int GetInt(const std::string& section, const std::string& key, int defaultValue) = 0;
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) = 0;
  virtual bool WriteInt(const std::string& section, const std::string& key, int value) = 0;
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  // Why the last write did not reach the store; empty when it did.
  virtual std::string WriteFailure() const { return {}; }
};

}  // namespace volmograph
