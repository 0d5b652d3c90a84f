#include "schematic/render_export.h"

#include <algorithm>
#include <cstdio>

#include "platform/emf_canvas.h"
#include "platform/text_metrics.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_renderer.h"

namespace corvane {

namespace {

// A canvas that only keeps the bottom-right corner of what is drawn on it.
class ExtentCanvas final : public Canvas {
public:
    void setPen(const Pen& pen) override { pen_ = pen; }
    void setBrush(const Brush&) override {}
    void setFont(const Font& font) override { font_ = font; }
    void setTextColor(Color) override {}
    void setTextBackground(bool, Color) override {}
    TextSize textExtent(std::string_view text) override {
        const TextExtent extent = metrics_.extent(font_.face, font_.pixelHeight, text);
        return {extent.width, extent.height};
    }
    void drawLine(Point from, Point to) override { stroke({from, to}); }
    void drawPolyline(const std::vector<Point>& points) override { stroke(points); }
    void drawPolygon(const std::vector<Point>& points) override { stroke(points); }
    void drawRectangle(const Rect& rect) override {
        stroke({{rect.left, rect.top}, {rect.right, rect.bottom}});
    }
    void drawEllipse(const Rect& bounds) override { drawRectangle(bounds); }
    void fillRectangle(const Rect& rect, Color) override { area(rect); }
    void drawText(Point origin, std::string_view text) override {
        const TextSize size = textExtent(text);
        area({origin.x, origin.y, offsetBy(origin.x, size.width), offsetBy(origin.y, size.height)});
    }
    void setClipRect(const Rect&) override {}
    void clearClip() override {}
    void lighten(const Rect& rect) override { area(rect); }
    std::unique_ptr<Canvas> createBuffer(int, int) override { return nullptr; }
    void drawBuffer(const Canvas&, Point) override {}

    // One past the rightmost and bottom-most pixel drawn.
    int right() const { return right_; }
    int bottom() const { return bottom_; }

private:
    void stroke(const std::vector<Point>& points) {
        const int half = (std::max(pen_.width, 1) + 1) / 2;
        for (const Point& p : points) {
            area({p.x, p.y, RenderContext::clampedSum(p.x, half + 1),
                  RenderContext::clampedSum(p.y, half + 1)});
        }
    }
    void area(const Rect& rect) {
        if (rect.right <= rect.left || rect.bottom <= rect.top) return;
        right_ = std::max(right_, rect.right);
        bottom_ = std::max(bottom_, rect.bottom);
    }

    Pen pen_;
    Font font_;
    int right_ = 0;
    int bottom_ = 0;
    TextMetrics metrics_;
};

// ((v + 16) / 16 + 1) * 16: the canvas growth rounding.
int grownEdge(int v) {
    return (std::min(v, 1 << 30) + 16) / 16 * 16 + 16;
}

}  // namespace

CanvasSize prepareExportCanvas(CSchematicDlg& window) {
    if (window.findModule() == nullptr) return window.canvasSize();
    // What reaches beyond the canvas (parameter boxes, the words beside output
    // pins) would be cut off an image of the canvas's size, so the canvas
    // grows to hold the whole drawing.
    ExtentCanvas extent;
    SchematicPaintHost host;
    drawSchematicExport(window, extent, host);
    CanvasSize size = window.canvasSize();
    if (extent.right() > size.width) size.width = grownEdge(extent.right());
    if (extent.bottom() > size.height) size.height = grownEdge(extent.bottom());
    window.setCanvasSize(size);
    return size;
}

void drawSchematicExport(const CSchematicDlg& window, Canvas& canvas, SchematicPaintHost& host) {
    SchematicViewState view;
    view.exportMode = 1;
    const CanvasSize size = window.canvasSize();
    SchematicRenderer(window, view, host).paint(canvas, {0, 0, size.width, size.height}, 0);
}

bool writeSchematicEmf(CSchematicDlg& window, const std::string& path, SchematicPaintHost& host) {
    if (window.findModule() == nullptr) return false;
    prepareExportCanvas(window);
    EmfCanvas emf;
    drawSchematicExport(window, emf, host);
    return emf.save(path);
}

namespace {

// Whether `path` can be opened for writing. Opened for appending, so an
// existing file keeps its bytes until the metafile replaces it whole.
bool canWrite(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

void cannotSave(UiHost& ui, const std::string& path) {
    ui.messageBox(
        {"CORVANE cannot save this file.", path, MessageIcon::kExclamation, MessageButtons::kOk});
}

}  // namespace

void exportEmfCommand(CSchematicDlg& window, UiHost& ui, SchematicPaintHost& host) {
    const Module* module = window.findModule();
    if (module == nullptr) return;
    FileDialogRequest request;
    request.caption = "Please input the name of EMF file";
    request.okText = "&OK";
    request.filter = "Enhanced MetaFile(*.emf)|*.emf||";
    request.defaultExtension = "emf";
    request.proposedName = module->name;
    request.overwritePrompt = true;
    const std::optional<std::string> path = ui.saveFileDialog(request);
    if (!path) return;
    if (!canWrite(*path) || !writeSchematicEmf(window, *path, host)) cannotSave(ui, *path);
}

}  // namespace corvane
