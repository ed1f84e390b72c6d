#include "qt/ByteText.h"

#include "platform/TextEncoding.h"

namespace volmograph {

QString DecodeBytes(const std::string& bytes, CharSet charSet) {
  return QString::fromStdString(charSet == CharSet::Greek ? Cp1253ToUtf8(bytes)
                                                          : Cp1252ToUtf8(bytes));
}

std::string EncodeCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) {
    const char16_t code = c.unicode();
    // 0x80..0x9F are control characters in Unicode but printable ones in 1252.
    const bool sameInBoth = code < 0x80 || (code >= 0xA0 && code <= 0xFF);
    bytes += sameInBoth ? static_cast<char>(code) : '?';
  }
  return bytes;
}

}  // namespace volmograph
