#include "qt/PrintPages.h"

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <string_view>

#include "qt/OutputFile.h"
#include "qt/PageCanvas.h"

namespace volmograph {

namespace {

constexpr int kPdfResolution = 1200;  // dots per inch: fine enough for the 1-twip bar lines

}  // namespace

bool PrintPages(CKeloView& view, QPainter& painter, QPagedPaintDevice& device,
                const PrintInfo& info, std::string& error) {
  {
    PageCanvas dc(painter);
    view.OnBeginPrinting(dc, info);
  }
  for (int page = info.FirstPage(); page <= info.LastPage(); ++page) {
    if (page > info.FirstPage() && !device.newPage()) {
      error = "Cannot start page " + std::to_string(page);
      return false;
    }
    PageCanvas dc(painter);
    view.OnPrint(dc, page);
  }
  PageCanvas dc(painter);
  view.OnEndPrinting(dc, info);
  return true;
}

// Drawn into memory first, so that a failure leaves no half-written file behind.
bool PrintToPdf(CKeloView& view, const std::string& path, std::string& error) {
  PrintInfo info;
  info.preview = true;
  if (!view.OnPreparePrinting(info)) {
    error = "Printing to " + path + " was cancelled";
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kPdfResolution);
    writer.setCreator("Volmograph");
    QPainter painter;
    if (!painter.begin(&writer)) {
      error = "Cannot write " + path + ": the PDF could not be started";
      return false;
    }
    std::string reason;
    if (!PrintPages(view, painter, writer, info, reason)) {
      error = "Cannot write " + path + ": " + reason;
      return false;
    }
    painter.end();
  }
  return WriteOutputFile(path, bytes, error);
}

}  // namespace volmograph
