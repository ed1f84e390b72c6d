#include "view/CStartEndDlg.h"

#include <optional>

#include "platform/IntegerText.h"
#include "platform/Prompter.h"

namespace volmograph {

namespace {

// One field's exchange: the value, or the message that refuses the text.
std::optional<int> Exchange(const std::string& text, int low, int high, std::string& refusal) {
  const IntegerTextReading reading = ReadIntegerText(text);
  if (reading.kind == IntegerTextKind::NotInteger) {
    refusal = std::string(CStartEndDlg::kNotIntegerMessage);
    return std::nullopt;
  }
  // An integer too large for an int is still an integer, and out of any range here.
  if (reading.kind == IntegerTextKind::BeyondInt || reading.value < low || reading.value > high) {
    refusal = CStartEndDlg::RangeMessage(low, high);
    return std::nullopt;
  }
  return reading.value;
}

}  // namespace

std::string CStartEndDlg::RangeMessage(int low, int high) {
  return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) +
         ".";
}

bool CStartEndDlg::OnOK(const std::string& startText, const std::string& endText,
                        Prompter& prompter, int& refusedFieldId) {
  std::string refusal;
  const std::optional<int> end = Exchange(endText, kEndMin, kEndMax, refusal);
  if (!end) {
    prompter.ShowMessage(refusal);
    refusedFieldId = kEndEdit;
    return false;
  }
  const std::optional<int> start = Exchange(startText, kStartMin, kStartMax, refusal);
  if (!start) {
    prompter.ShowMessage(refusal);
    refusedFieldId = kStartEdit;
    return false;
  }
  m_end = *end;
  m_start = *start;
  return true;
}

}  // namespace volmograph
