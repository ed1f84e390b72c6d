#pragma once

// The print flow's page loop, shared by PDF output, the print dialog and print preview:
// once the view has prepared the job (OnPreparePrinting), each page of the chosen range is
// drawn by the view's OnPrint onto a fresh device context of its own page.

#include <QPagedPaintDevice>
#include <QPainter>
#include <string>

#include "platform/PrintInfo.h"
#include "view/CKeloView.h"

namespace volmograph {

// Prints pages info.FirstPage()..info.LastPage() with `painter`, active on `device`,
// starting a new device page before every page but the first. False with `error` set when
// the device refuses a new page.
bool PrintPages(CKeloView& view, QPainter& painter, QPagedPaintDevice& device,
                const PrintInfo& info, std::string& error);

// Renders every page of the view's printout, as print preview shows it, into one PDF file
// of A4 pages at `path`. The file is replaced only once the whole document is ready. False
// with `error` set to a readable reason otherwise.
bool PrintToPdf(CKeloView& view, const std::string& path, std::string& error);

}  // namespace volmograph
