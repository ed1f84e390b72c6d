#include "files/TextDamage.h"

#include "files/TextDataFile.h"

namespace volmograph {

TextRecordFault CheckTextRecord(std::string_view record) {
  if (record.size() < kTextRecordSize) {
    return TextRecordFault::CutShort;
  }
  const std::size_t nul = record.find('\0');
  if (nul == std::string_view::npos) {
    // Line ends only at the very end: a line of 66 read back with its LF is saved again as
    // 67 bytes ending in LF, and then its record's own LF.
    const std::size_t lineEnd = record.find('\n');
    return lineEnd == std::string_view::npos ||
                   record.find_first_not_of('\n', lineEnd) == std::string_view::npos
               ? TextRecordFault::None
               : TextRecordFault::OutOfStep;
  }
  return nul > 0 && record[nul - 1] == '\n' ? TextRecordFault::None : TextRecordFault::Garbled;
}

void TextDamage::Note(std::size_t recordNumber, TextRecordFault fault, std::size_t size) {
  if (records++ == 0) {
    firstRecord = recordNumber;
    firstFault = fault;
    firstSize = size;
  }
}

std::string DescribeTextDamage(const TextDamage& damage, std::size_t fileRecords) {
  std::string text =
      "record " + std::to_string(damage.firstRecord) + " of " + std::to_string(fileRecords);
  if (damage.firstFault == TextRecordFault::CutShort) {
    text += " is cut short (" + std::to_string(damage.firstSize) + " of " +
            std::to_string(kTextRecordSize) + " bytes)";
  } else if (damage.firstFault == TextRecordFault::OutOfStep) {
    text += " is out of step (a line end inside it: bytes lost or added before it)";
  } else {
    text += " is garbled (a NUL not right after an LF)";
  }
  if (damage.records > 1) {
    text += ", and " + std::to_string(damage.records - 1) + " more " +
            (damage.records == 2 ? "is" : "are") + " damaged";
  }
  return text;
}

}  // namespace volmograph
