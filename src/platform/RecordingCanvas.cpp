#include <cstdio>

#include "platform/Canvas.h"

namespace volmograph {

namespace {

std::string ColourText(Rgb c) {
  char text[32];
  std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", c.r, c.g, c.b);
  return text;
}

std::string Format(const char* name, int a, int b) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %d %d", name, a, b);
  return text;
}

}  // namespace

void RecordingCanvas::SelectBrush(Rgb colour) {
  m_operations.push_back("SelectBrush " + ColourText(colour));
}

void RecordingCanvas::SetBkMode(BkMode mode) {
  m_operations.push_back(mode == BkMode::Opaque ? "SetBkMode OPAQUE" : "SetBkMode TRANSPARENT");
}

void RecordingCanvas::SetBkColor(Rgb colour) {
  m_operations.push_back("SetBkColor " + ColourText(colour));
}

void RecordingCanvas::SetMapMode(MapMode mode) {
  m_operations.push_back(mode == MapMode::Twips ? "SetMapMode TWIPS" : "SetMapMode PIXELS");
}

void RecordingCanvas::SelectFont(const FontDescription& font) {
  char text[160];
  std::snprintf(text, sizeof text, "SelectFont %s %dx%d esc %d weight %d %s", font.family.c_str(),
                font.height, font.width, font.escapement, font.weight,
                font.charSet == CharSet::Greek ? "GREEK" : "ANSI");
  m_operations.push_back(text);
}

void RecordingCanvas::SelectDefaultFont() { m_operations.push_back("SelectFont default"); }

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
  char text[80];
  std::snprintf(text, sizeof text, "Rectangle %d %d %d %d", left, top, right, bottom);
  m_operations.push_back(text);
}

void RecordingCanvas::MoveTo(int x, int y) { m_operations.push_back(Format("MoveTo", x, y)); }

void RecordingCanvas::LineTo(int x, int y) { m_operations.push_back(Format("LineTo", x, y)); }

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  m_operations.push_back(Format("TextOut", x, y) + " \"" + text + "\"");
}

void RecordingCanvas::SetPixel(int x, int y, Rgb colour) {
  m_operations.push_back(Format("SetPixel", x, y) + " " + ColourText(colour));
}

}  // namespace volmograph
