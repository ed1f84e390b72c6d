#include "files/GraphFile.h"

#include <algorithm>

namespace volmograph {

namespace {

bool IsFieldSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "%d" over one 4-byte field, without the C library's locale; false when it holds no digit.
bool ParseField(std::string_view field, int& value) {
  std::size_t pos = 0;
  while (pos < field.size() && IsFieldSpace(field[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) {
    negative = field[pos] == '-';
    ++pos;
  }
  if (pos == field.size() || !IsDigit(field[pos])) {
    return false;
  }
  int magnitude = 0;
  for (; pos < field.size() && IsDigit(field[pos]); ++pos) {
    magnitude = magnitude * 10 + (field[pos] - '0');  // at most 4 digits: no overflow
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

std::string WriteGraphFile(std::span<const std::uint8_t, kGraphImageSize> image) {
  std::string file(kGraphFileHeader);
  file.reserve(kGraphFileSize);
  for (std::uint8_t byte : image) {
    // "%4d" of 0..255: a blank, then the number right-aligned in three characters.
    char field[kGraphFieldWidth] = {' ', ' ', ' ', ' '};
    int rest = byte;
    std::size_t pos = kGraphFieldWidth;
    do {
      field[--pos] = static_cast<char>('0' + rest % 10);
      rest /= 10;
    } while (rest != 0);
    file.append(field, kGraphFieldWidth);
  }
  return file;
}

GraphReadResult ReadGraphFile(std::string_view bytes,
                              std::span<std::uint8_t, kGraphImageSize> image) {
  std::fill(image.begin(), image.end(), std::uint8_t{0});
  GraphReadResult result;
  if (bytes.size() <= kGraphFileHeader.size()) {
    return result;
  }
  std::string_view fields = bytes.substr(kGraphFileHeader.size());
  for (std::size_t i = 0; i < kGraphImageSize; ++i) {
    std::size_t offset = i * kGraphFieldWidth;
    if (offset + kGraphFieldWidth > fields.size()) {
      break;  // the file ends here; the remaining bytes stay 0
    }
    ++result.fieldsPresent;
    int value = 0;
    if (ParseField(fields.substr(offset, kGraphFieldWidth), value)) {
      image[i] = static_cast<std::uint8_t>(value);  // low 8 bits
      ++result.validFields;
    }
  }
  return result;
}

}  // namespace volmograph
