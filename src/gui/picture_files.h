// Pictures drawn through Qt into files: PNG through an image, SVG through
// Qt's SVG generator and PDF through its PDF writer, one page the size of
// the picture. Every export of the program writes its pictures here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/canvas.h"

namespace corvane {

// Draws the picture onto the canvas it is given.
using DrawOnto = std::function<void(Canvas&)>;

// The picture: its size in pixels and what the files' properties say of it.
struct PictureInfo {
    int width = 0;
    int height = 0;
    std::string title;        // SVG title and PDF title
    std::string description;  // SVG description
};

// Each replaces the file at `path` through the safe writer; false when the
// picture cannot be drawn or the file cannot be written.
bool writePngPicture(const PictureInfo& picture, const DrawOnto& draw, const std::string& path);
bool writeSvgPicture(const PictureInfo& picture, const DrawOnto& draw, const std::string& path);
bool writePdfPicture(const PictureInfo& picture, const DrawOnto& draw, const std::string& path);

}  // namespace corvane
