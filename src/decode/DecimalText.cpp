#include "decode/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

#include "decode/ReadingDecoder.h"

namespace volmograph {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) {
    ++end;
  }
  return end - from;
}

std::string_view StripLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

std::string_view StripTrailingZeros(std::string_view digits) {
  const std::size_t last = digits.find_last_not_of('0');
  return last == std::string_view::npos ? std::string_view{} : digits.substr(0, last + 1);
}

bool IsZero(const DecimalText& d) {
  return StripLeadingZeros(d.integer).empty() && StripTrailingZeros(d.fraction).empty();
}

// Compares |a| and |b| digit by digit, so no value is ever rounded.
int CompareMagnitude(const DecimalText& a, const DecimalText& b) {
  const std::string_view ai = StripLeadingZeros(a.integer);
  const std::string_view bi = StripLeadingZeros(b.integer);
  if (ai.size() != bi.size()) {
    return ai.size() < bi.size() ? -1 : 1;
  }
  if (const int c = ai.compare(bi); c != 0) {
    return c < 0 ? -1 : 1;
  }
  const std::string_view af = a.fraction;
  const std::string_view bf = b.fraction;
  const std::size_t n = std::max(af.size(), bf.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char ca = i < af.size() ? af[i] : '0';
    const char cb = i < bf.size() ? bf[i] : '0';
    if (ca != cb) {
      return ca < cb ? -1 : 1;
    }
  }
  return 0;
}

}  // namespace

DecimalText ScanDecimal(std::string_view text) {
  std::size_t pos = text.find_first_not_of(' ');
  if (pos == std::string_view::npos) {
    return {};
  }
  DecimalText result;
  if (text[pos] == '+' || text[pos] == '-') {
    result.negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t integerDigits = CountDigits(text, pos);
  result.integer = text.substr(pos, integerDigits);
  pos += integerDigits;
  if (pos < text.size() && text[pos] == '.') {
    const std::size_t fractionDigits = CountDigits(text, pos + 1);
    result.fraction = text.substr(pos + 1, fractionDigits);
    if (fractionDigits > 0 || integerDigits > 0) {
      pos += 1 + fractionDigits;
    }
  }
  if (!result.HasDigits()) {
    return {};
  }
  result.length = pos;
  return result;
}

int CompareDecimal(std::string_view a, std::string_view b) {
  const DecimalText da = ScanDecimal(a);
  const DecimalText db = ScanDecimal(b);
  const bool negA = da.negative && !IsZero(da);
  const bool negB = db.negative && !IsZero(db);
  if (negA != negB) {
    return negA ? -1 : 1;
  }
  const int magnitude = CompareMagnitude(da, db);
  return negA ? -magnitude : magnitude;
}

double ParseDecimal(std::string_view text) {
  const DecimalText d = ScanDecimal(text);
  if (!d.HasDigits()) {
    return 0.0;
  }
  // The digits and the point are contiguous in the text; from_chars in fixed format reads
  // exactly that grammar and is correctly rounded and independent of the locale.
  const char* first = d.integer.empty() ? d.fraction.data() - 1 : d.integer.data();
  const char* last = text.data() + d.length;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Hundreds of digits: saturate rather than produce an infinity that poisons later sums.
    value = StripLeadingZeros(d.integer).empty() ? 0.0 : std::numeric_limits<double>::max();
  } else if (ec != std::errc{} || ptr != last) {
    return 0.0;  // cannot happen for a scanned number; be safe rather than wrong
  }
  return d.negative ? -value : value;
}

}  // namespace volmograph
