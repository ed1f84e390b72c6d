#pragma once

// A dialog or form template as plain data: the controls with their kinds, captions, styles
// and rectangles in dialog units, from which the desktop builds real widgets and the headless
// form its start state. A dialog unit is a quarter of the template font's average character
// width across and an eighth of its height down.

#include <string>
#include <vector>

namespace volmograph {

enum class DialogControlKind {
  PushButton,
  DefaultButton,
  GroupBox,
  Static,
  StaticFrame,  // an empty bordered static: a surface to draw on
  ListBox,
  Edit,
  RadioButton,
};

// The style bits that change how a control looks or starts.
namespace control_style {
inline constexpr unsigned kCentred = 1u << 0;
inline constexpr unsigned kRightAligned = 1u << 1;
inline constexpr unsigned kVerticallyCentred = 1u << 2;
inline constexpr unsigned kNoWrap = 1u << 3;
inline constexpr unsigned kNoPrefix = 1u << 4;  // '&' is shown, not a mnemonic
inline constexpr unsigned kBordered = 1u << 5;
inline constexpr unsigned kVerticalScrollAlways = 1u << 6;
inline constexpr unsigned kDisabled = 1u << 7;  // disabled at start
inline constexpr unsigned kGroupStart = 1u << 8;
inline constexpr unsigned kTabStop = 1u << 9;
inline constexpr unsigned kNotify = 1u << 10;      // reports clicks or selection changes
inline constexpr unsigned kAutoScroll = 1u << 11;  // an edit that scrolls with typing
}  // namespace control_style

// A control without an id of its own (a label, a group frame) carries this one.
inline constexpr int kNoControlId = -1;

struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

struct DialogControl {
  int id = kNoControlId;
  DialogControlKind kind = DialogControlKind::Static;
  std::string caption;  // code page 1252 bytes
  unsigned style = 0;
  DialogRect rect;

  bool Has(unsigned styleBit) const { return (style & styleBit) != 0; }
};

struct DialogTemplate {
  int id = 0;
  std::string caption;  // empty: no caption bar text
  std::string fontFamily = "MS Sans Serif";
  int fontPointSize = 8;
  DialogRect rect;  // position (relative to the owner) and size
  std::vector<DialogControl> controls;

  // The control with this id; null when the template has none.
  const DialogControl* Find(int controlId) const {
    for (const DialogControl& control : controls) {
      if (control.id == controlId && controlId != kNoControlId) {
        return &control;
      }
    }
    return nullptr;
  }
};

}  // namespace volmograph
