#pragma once

#include <array>
#include <string_view>

#include "platform/Dialogs.h"

namespace volmograph {

// The COMM PORT SET dialog's logic: four radio buttons for COM1..COM4 and the port index
// they set. It has no data exchange of its own: the index is only what the clicks set.
class CCommPortDlg : public CommPortLogic {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kFirstRadio = 1013;  // "COM&1"
  static constexpr int kLastRadio = 1016;   // "COM&4"

  static constexpr std::string_view kTitle = "COMM PORT SET";
  static constexpr std::string_view kGroupCaption = "COMM &PORT";
  static constexpr std::array<std::string_view, 4> kRadioCaptions = {"COM&1", "COM&2", "COM&3",
                                                                     "COM&4"};
  static constexpr std::string_view kOkCaption = "OK";
  static constexpr std::string_view kCancelCaption = "Cancel";

  explicit CCommPortDlg(int portIndex = 0) : m_portIndex(portIndex) {}

  // The radio button to check on opening (1013 + index), or 0 when the index is outside
  // 0..3 and all four stay unchecked.
  int OnInitDialog() const override;
  // A click on radio button 1013..1016 sets the index 0..3; other ids change nothing.
  void OnRadioClicked(int radioId) override;

  int m_portIndex;
};

}  // namespace volmograph
