#include "gui/fsm_export.h"

#include "gui/picture_files.h"
#include "gui/schematic_export.h"
#include "platform/export_format.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

bool exportPicture(CSTTDlg& window, ExportFormat format, const std::string& path) {
    ensureGuiApplication();
    const DrawOnto draw = [&window](Canvas& canvas) { window.drawWholeCanvas(canvas); };
    const DiagramSize size = window.canvasSize();
    const PictureInfo picture{size.width, size.height, window.title(), window.title()};
    if (format == ExportFormat::kPng) return writePngPicture(picture, draw, path);
    if (format == ExportFormat::kSvg) return writeSvgPicture(picture, draw, path);
    return writePdfPicture(picture, draw, path);
}

bool supportedFormat(const std::string& path, ExportFormat& format) {
    format = exportFormatFor(path);
    return endsWithNoCase(path, ".qstm") || format == ExportFormat::kSvg ||
           format == ExportFormat::kPng || format == ExportFormat::kPdf;
}

}  // namespace

bool exportStateMachine(ModuleList& modules, const std::string& moduleName, int line,
                        const std::string& path, std::string& error) {
    ExportFormat format = ExportFormat::kUnknown;
    if (!supportedFormat(path, format)) {
        error = "the file name \"" + path + "\" does not end in .svg, .png, .pdf or .qstm";
        return false;
    }
    StateDiagramForExport diagram(modules, moduleName, line);
    if (!diagram.build(error)) return false;
    const bool written = format == ExportFormat::kUnknown
                             ? diagram.writeDiagramFile(path)
                             : exportPicture(diagram.window(), format, path);
    if (!written) error = "cannot write the state machine diagram \"" + path + "\"";
    return written;
}

}  // namespace corvane
