#pragma once

// Helpers shared by the data-file tests: vector files and a scratch folder per test.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace volmograph::test {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string VectorFile(const std::string& name) {
  return ReadBytes(std::filesystem::path(VOLMOGRAPH_VECTORS_DIR) / "files" / name);
}

// A fresh folder under the system's temporary folder, removed again on destruction.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vgfiles.XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(m_path);
  }
  const std::filesystem::path& Path() const { return m_path; }
  std::string operator/(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

}  // namespace volmograph::test
