// Pictures for the clipboard: a finished Qt image as the core's RasterImage,
// which the UiHost puts on the clipboard. The net view and the state diagram
// window copy their canvases through it.
#pragma once

#include <QImage>

#include "platform/ui_host.h"

namespace corvane {

// Every pixel as 0x00BBGGRR, row by row.
RasterImage rasterOf(const QImage& image);

}  // namespace corvane
