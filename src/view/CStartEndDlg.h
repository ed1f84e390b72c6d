#pragma once

#include <string>
#include <string_view>

#include "platform/Dialogs.h"

namespace volmograph {

// The START/END dialog's logic: the graph window's first and last sample, exchanged with
// two edit fields and validated when OK is pressed.
class CStartEndDlg : public StartEndLogic {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kStartEdit = 1025;
  static constexpr int kEndEdit = 1044;
  static constexpr int kEndMin = 1;
  static constexpr int kEndMax = 500;
  static constexpr int kStartMin = 0;
  static constexpr int kStartMax = 500;

  static constexpr std::string_view kStartLabel = "START";
  static constexpr std::string_view kEndLabel = "END";
  static constexpr std::string_view kOkCaption = "OK";
  static constexpr std::string_view kCancelCaption = "Cancel";
  static constexpr std::string_view kNotIntegerMessage = "Please enter an integer.";

  CStartEndDlg() = default;
  CStartEndDlg(int start, int end) : m_end(end), m_start(start) {}

  // The texts the two edits show on opening.
  std::string StartText() const override { return std::to_string(m_start); }
  std::string EndText() const override { return std::to_string(m_end); }

  // OK pressed with these field texts. END (1..500) is checked first, then START (0..500).
  // The first field that fails is refused: its message is shown, its edit id goes to
  // `refusedFieldId`, nothing is stored and the result is false (the dialog stays open).
  // When both pass, both are stored and the result is true.
  bool OnOK(const std::string& startText, const std::string& endText, Prompter& prompter,
            int& refusedFieldId) override;

  // "Please enter an integer between %1 and %2." with the bounds filled in.
  static std::string RangeMessage(int low, int high);

  int m_end = 500;
  int m_start = 0;
};

}  // namespace volmograph
