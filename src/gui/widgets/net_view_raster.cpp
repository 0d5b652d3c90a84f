#include "gui/widgets/net_view_raster.h"

#include "platform/canvas.h"

namespace corvane {

RasterImage rasterOf(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    RasterImage raster;
    raster.width = pixels.width();
    raster.height = pixels.height();
    raster.pixels.reserve(static_cast<std::size_t>(raster.width) * raster.height);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            raster.pixels.push_back(rgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])));
        }
    }
    return raster;
}

}  // namespace corvane
