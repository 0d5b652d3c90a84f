#include "schematic/render_export.h"

#include "platform/emf_canvas.h"
#include "platform/recording_canvas.h"
#include "schematic/render_blocks.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_renderer.h"

namespace corvane {

CanvasSize prepareExportCanvas(CSchematicDlg& window) {
    const Module* module = window.findModule();
    if (module == nullptr) return window.canvasSize();
    RecordingCanvas unused;
    SchematicPaintHost host;
    const RenderContext context(unused, *module, host, 1.0, 0, 0, true,
                                window.textMeasure().face());
    const CanvasSize grown = parameterBoxCanvas(context, window.canvasSize());
    window.setCanvasSize(grown);
    return grown;
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

}  // namespace corvane
