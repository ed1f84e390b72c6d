// The display list in its stable text form, one operation a line: numbers in decimal,
// colours as RRGGBB, text in double quotes with \" \\ and \xHH for every byte outside
// printable ASCII. `volmograph-cli render --dump` and `print --dump` print it as it stands.

#include <cstdio>

#include "platform/Canvas.h"

namespace volmograph {

namespace {

std::string Hex(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", c.r, c.g, c.b);
  return text;
}

std::string Numbers(const char* name, int a, int b) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %d %d", name, a, b);
  return text;
}

}  // namespace

std::string QuoteDisplayText(const std::string& bytes) {
  std::string quoted = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c > 0x7E) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

void RecordingCanvas::SelectBrush(Rgb colour) {
  Forward([&](Canvas& mirror) { mirror.SelectBrush(colour); });
  m_operations.push_back("brush " + Hex(colour));
}

void RecordingCanvas::SetBkMode(BkMode mode) {
  Forward([&](Canvas& mirror) { mirror.SetBkMode(mode); });
  m_operations.push_back(mode == BkMode::Opaque ? "bkmode opaque" : "bkmode transparent");
}

void RecordingCanvas::SetBkColor(Rgb colour) {
  Forward([&](Canvas& mirror) { mirror.SetBkColor(colour); });
  m_operations.push_back("bkcolor " + Hex(colour));
}

void RecordingCanvas::SetMapMode(MapMode mode) {
  Forward([&](Canvas& mirror) { mirror.SetMapMode(mode); });
  m_operations.push_back(mode == MapMode::Twips ? "mapmode twips" : "mapmode pixels");
}

void RecordingCanvas::SelectFont(const FontDescription& font) {
  Forward([&](Canvas& mirror) { mirror.SelectFont(font); });
  char text[160];
  std::snprintf(text, sizeof text, "font %s %d %d %d %d", font.family.c_str(), font.height,
                font.width, font.escapement, font.weight);
  m_operations.push_back(text);
  if (font.charSet == CharSet::Greek) {
    m_operations.push_back("charset greek");
  }
}

void RecordingCanvas::SelectDefaultFont() {
  Forward([&](Canvas& mirror) { mirror.SelectDefaultFont(); });
  m_operations.push_back("defaultfont");
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  Forward([&](Canvas& mirror) { mirror.Rectangle(left, top, right, bottom); });
  m_operations.push_back(Numbers("rect", left, top) + Numbers("", right, bottom));
}

void RecordingCanvas::MoveTo(int x, int y) {
  Forward([&](Canvas& mirror) { mirror.MoveTo(x, y); });
  m_operations.push_back(Numbers("moveto", x, y));
}

void RecordingCanvas::LineTo(int x, int y) {
  Forward([&](Canvas& mirror) { mirror.LineTo(x, y); });
  m_operations.push_back(Numbers("lineto", x, y));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  Forward([&](Canvas& mirror) { mirror.TextOut(x, y, text); });
  m_operations.push_back(Numbers("text", x, y) + " " + QuoteDisplayText(text));
}

void RecordingCanvas::SetPixel(int x, int y, Rgb colour) {
  Forward([&](Canvas& mirror) { mirror.SetPixel(x, y, colour); });
  m_operations.push_back(Numbers("pixel", x, y) + " " + Hex(colour));
}

}  // namespace volmograph
