#pragma once

// The document of a document window. It holds nothing: every recorded reading lives in the
// view. The array is kept because the design gives the document one, but nothing ever adds
// to it, nothing reads or writes it from a file, and a new document needs no reset.

#include <cstdint>
#include <vector>

namespace volmograph::shell {

class CKeloDoc {
 public:
  // Success without any reset: there is nothing to reset.
  bool OnNewDocument() { return true; }
  // The document is never modified, so closing its window never asks to save.
  bool IsModified() const { return false; }
  const std::vector<std::uint32_t>& Values() const { return m_values; }

 private:
  std::vector<std::uint32_t> m_values;
};

}  // namespace volmograph::shell
