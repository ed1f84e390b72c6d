#include "qt/PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <string_view>

#include "qt/OutputFile.h"

namespace volmograph {

// Encoding into memory first keeps a failed encoder from leaving half a file behind; the
// file itself is then replaced atomically.
bool WritePng(const QImage& image, const std::string& path, std::string& error) {
  if (image.isNull()) {
    error = "Cannot write " + path + ": the picture is empty";
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) {
    error = "Cannot encode PNG for " + path + ": " + writer.errorString().toStdString();
    return false;
  }
  return WriteOutputFile(path, bytes, error);
}

}  // namespace volmograph
