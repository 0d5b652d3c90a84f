// The zoom steps of the schematic window's "Tele" and "Wide" buttons and the
// zoom of "View All".
#pragma once

namespace corvane {

// One step in: doubles below 0.1, then 0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 3, 4;
// a zoom of 4 or one between the steps above 1 stays as it is.
double zoomInStep(double zoom);
// One step out along 4, 3, 2, 1.5, 1.25, 1, 0.75, 0.5, 0.25, 0.1; a zoom
// that is not one of those values stays as it is.
double zoomOutStep(double zoom);
// The zoom that fits a canvas into an area: the smaller of the two ratios;
// the zoom stays `current` when either size is not positive.
double viewAllZoom(int areaWidth, int areaHeight, int canvasWidth, int canvasHeight,
                   double current);

}  // namespace corvane
