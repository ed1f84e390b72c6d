// Arbitrary bytes as the settings file: read through IniProfile as the program reads it at
// start-up, and edited in memory as the setting commands edit it. Never a crash; the file
// reads the same as the text held in memory; a write that is accepted reads back, and the
// text it leaves reads back the same entries.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/IniDocument.h"
#include "platform/IniProfile.h"

namespace {

using namespace volmograph;

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// One file for the whole run, rewritten for every input.
const std::string& InputPath() {
  static const std::string path = [] {
    char name[] = "/dev/shm/fuzz_ini_profile_XXXXXX";
    const int fd = ::mkstemp(name);
    Check(fd >= 0);
    ::close(fd);
    return std::string(name);
  }();
  return path;
}

void WriteInput(std::string_view text) {
  const int fd = ::open(InputPath().c_str(), O_WRONLY | O_TRUNC);
  Check(fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
  ::close(fd);
}

// The file reads as the same text parsed in memory does. Each read of the file parses it
// afresh, so a few reads stand for all.
void CheckFileReads(std::string_view text, const IniDocument& document) {
  WriteInput(text);
  IniProfile profile(InputPath());
  Check(profile.Text() == text);
  Check(profile.GetInt("COMM", "Port", 1) == document.GetInt("COMM", "Port", 1));
  Check(profile.GetString("Sampling Time", "Use display", "  1 SEC") ==
        document.GetString("Sampling Time", "Use display", "  1 SEC"));
  const auto entries = document.Entries();
  if (!entries.empty()) {
    Check(profile.GetString(entries.back().section, entries.back().key, "") ==
          document.GetString(entries.back().section, entries.back().key, ""));
  }
}

void CheckSetReadsBack(IniDocument& document, const std::string& section, const std::string& key,
                       const std::string& value) {
  if (document.Set(section, key, value)) {
    Check(document.GetString(section, key, value + "?") == value);
    Check(IniDocument(document.Text()).Entries() == document.Entries());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  IniDocument document(text);
  Check(IniDocument(document.Text()).Entries() == document.Entries());
  CheckFileReads(text, document);

  // The settings the program writes, then edits of entries the file already has.
  CheckSetReadsBack(document, "Sampling Time", "Current", "5");
  CheckSetReadsBack(document, "Sampling Time", "Use display", "250 mSEC");
  CheckSetReadsBack(document, "COMM", "Port", "2");
  const auto entries = document.Entries();
  for (std::size_t i = 0; i < entries.size() && i < 4; ++i) {
    CheckSetReadsBack(document, entries[i].section, entries[i].key, " x" + entries[i].value);
    CheckSetReadsBack(document, entries[i].section, entries[i].value, entries[i].key);
  }
  return 0;
}
