#include "files/SampleCsv.h"

#include <initializer_list>

#include "decode/DecimalText.h"
#include "decode/SampleLine.h"
#include "platform/TextEncoding.h"

namespace volmograph {

namespace {

std::string_view Cut(std::string_view line, SampleField column) {
  if (column.first >= line.size()) {
    return {};
  }
  std::string_view text = line.substr(column.first, column.width);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string TextField(std::string_view bytes) {
  return CsvField(Cp1253ToUtf8(bytes));
}

// A number as a number; anything else (a diode state such as "SHORT") as text.
std::string NumberField(std::string_view bytes) {
  if (const std::optional<std::string> number = CsvNumber(bytes)) {
    return *number;
  }
  return TextField(bytes);
}

std::string Join(std::initializer_list<std::string> fields) {
  std::string row;
  bool first = true;
  for (const std::string& field : fields) {
    row.append(first ? "" : ",").append(field);
    first = false;
  }
  return row;
}

}  // namespace

std::string CsvField(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
    return std::string(utf8);
  }
  std::string quoted = "\"";
  for (const char c : utf8) {
    quoted += c;
    if (c == '"') {
      quoted += '"';
    }
  }
  quoted += '"';
  return quoted;
}

std::optional<std::string> CsvNumber(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  const DecimalText number = ScanDecimal(text);
  if (!number.HasDigits() || number.length != last + 1) {
    return std::nullopt;
  }
  std::string_view integer = number.integer;
  while (integer.size() > 1 && integer.front() == '0') {
    integer.remove_prefix(1);
  }
  std::string plain = integer.empty() ? "0" : std::string(integer);
  if (!number.fraction.empty()) {
    plain += '.';
    plain += number.fraction;
  }
  // "-0.00" is zero; a spreadsheet should not see a negative zero.
  const bool zero = plain.find_first_not_of("0.") == std::string::npos;
  return number.negative && !zero ? "-" + plain : plain;
}

std::string SampleCsvHeader() {
  return "time,value,unit,rms,second value,second unit,second rms,function,raw value";
}

std::string SampleCsvRow(std::string_view line) {
  if (!line.empty() && line.back() == '\n') {
    line.remove_suffix(1);
  }
  const std::string_view value = Cut(line, kValueField);
  return Join({TextField(Cut(line, kTimeField)),
               value == "OVER" ? std::string() : NumberField(value),
               TextField(Cut(line, kUnitField)), TextField(Cut(line, kRmsField)),
               NumberField(Cut(line, kValue2Field)), TextField(Cut(line, kUnit2Field)),
               TextField(Cut(line, kRms2Field)), TextField(Cut(line, kLabelField)),
               NumberField(Cut(line, kRawValueField))});
}

std::string DataFileCsv(const DataFileContents& contents) {
  std::string csv;
  if (contents.kind == DataFileKind::Graph) {
    csv.reserve(12 * (contents.image.size() + 1));
    csv.append("index,byte").append(kCsvLineEnd);
    for (std::size_t i = 0; i < contents.image.size(); ++i) {
      csv.append(std::to_string(i)).append(",").append(std::to_string(contents.image[i]));
      csv.append(kCsvLineEnd);
    }
    return csv;
  }
  csv.append(SampleCsvHeader()).append(kCsvLineEnd);
  for (const std::string& line : contents.lines) {
    csv.append(SampleCsvRow(line)).append(kCsvLineEnd);
  }
  return csv;
}

}  // namespace volmograph
