#include "schematic/schematic_zoom.h"

#include <algorithm>
#include <iterator>

namespace corvane {

double zoomInStep(double zoom) {
    if (zoom < 0.1) return zoom * 2;
    if (zoom < 0.25) return 0.25;
    if (zoom < 0.5) return 0.5;
    if (zoom < 0.75) return 0.75;
    if (zoom < 1) return 1;
    if (zoom == 1) return 1.25;
    if (zoom == 1.25) return 1.5;
    if (zoom == 1.5) return 2;
    if (zoom == 2) return 3;
    if (zoom == 3) return 4;
    return zoom;
}

double zoomOutStep(double zoom) {
    static constexpr double kSteps[] = {4, 3, 2, 1.5, 1.25, 1, 0.75, 0.5, 0.25, 0.1};
    for (std::size_t i = 0; i + 1 < std::size(kSteps); ++i) {
        if (zoom == kSteps[i]) return kSteps[i + 1];
    }
    return zoom;
}

double viewAllZoom(int areaWidth, int areaHeight, int canvasWidth, int canvasHeight,
                   double current) {
    if (areaWidth <= 0 || areaHeight <= 0 || canvasWidth <= 0 || canvasHeight <= 0) {
        return current;
    }
    return std::min(static_cast<double>(areaHeight) / canvasHeight,
                    static_cast<double>(areaWidth) / canvasWidth);
}

}  // namespace corvane
