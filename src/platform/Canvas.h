#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Graphics.h"

namespace volmograph {

enum class BkMode { Transparent, Opaque };
enum class MapMode { Pixels, Twips };

// A device context. GDI's rules hold: Rectangle(l, t, r, b) covers columns l..r-1 and rows
// t..b-1, filled with the selected brush and outlined with the pen (black, 1 pixel);
// LineTo does not draw its end point. Text is code page 1252 bytes.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void SelectBrush(Rgb colour) = 0;
  virtual void SetBkMode(BkMode mode) = 0;
  virtual void SetBkColor(Rgb colour) = 0;
  virtual void SetMapMode(MapMode mode) = 0;
  // Selects a font; the default font is selected again by SelectDefaultFont.
  virtual void SelectFont(const FontDescription& font) = 0;
  virtual void SelectDefaultFont() = 0;
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void SetPixel(int x, int y, Rgb colour) = 0;
};

// Text in the display list's quoted form: "..." with \" \\ and \xHH for other bytes.
std::string QuoteDisplayText(const std::string& bytes);

// Records every operation as one text line, for tests and `--dump`. A mirror, when set,
// receives every operation too, so one drawing can be both listed and rendered.
class RecordingCanvas : public Canvas {
 public:
  void SetMirror(Canvas* mirror) { m_mirror = mirror; }
  // Adds a line that is no drawing operation (a message shown while drawing, say).
  void Note(std::string line) { m_operations.push_back(std::move(line)); }

  void SelectBrush(Rgb colour) override;
  void SetBkMode(BkMode mode) override;
  void SetBkColor(Rgb colour) override;
  void SetMapMode(MapMode mode) override;
  void SelectFont(const FontDescription& font) override;
  void SelectDefaultFont() override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void TextOut(int x, int y, const std::string& text) override;
  void SetPixel(int x, int y, Rgb colour) override;

  const std::vector<std::string>& Operations() const { return m_operations; }
  void Clear() { m_operations.clear(); }

 private:
  template <class Operation>
  void Forward(const Operation& operation) {
    if (m_mirror != nullptr) {
      operation(*m_mirror);
    }
  }

  std::vector<std::string> m_operations;
  Canvas* m_mirror = nullptr;
};

}  // namespace volmograph
