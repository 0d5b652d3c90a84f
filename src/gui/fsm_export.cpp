#include "gui/fsm_export.h"

#include "database/text_helpers.h"
#include "gui/picture_files.h"
#include "gui/schematic_export.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_ui_host.h"
#include "statemachine/stt_dlg.h"

namespace corvane {

namespace {

// The label positions of a window that has been shown once: drawing places
// every label that is not placed yet, so one pass onto a canvas that keeps
// nothing gives them their automatic places.
bool exportDiagramFile(CSTTDlg& window, const std::string& path) {
    RecordingCanvas scratch(window.canvasSize().width, window.canvasSize().height);
    window.drawWholeCanvas(scratch);
    window.setFilePath(path);
    return window.writeStateDiagramFile();
}

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
    const std::string name = toLowerAscii(moduleName);
    const Module* module = modules.find(name);
    if (module == nullptr) {
        error = "the module \"" + moduleName + "\" is not analysed";
        return false;
    }
    // Nothing is shown: the window's message goes to a host that only keeps
    // it, and its hooks do nothing.
    ScriptedUiHost ui;
    SttWindowHooks hooks;
    CSTTDlg window(modules, ui, hooks, name, line);
    window.buildDiagram();
    if (window.result() == kNoSuchBlock) {
        error = "the module \"" + moduleName + "\" has no always block or process at line " +
                std::to_string(line);
        return false;
    }
    if (window.result() != kStateMachineFound) {
        error = kNoStateMachineText;
        return false;
    }
    const bool written = format == ExportFormat::kUnknown ? exportDiagramFile(window, path)
                                                          : exportPicture(window, format, path);
    if (!written) error = "cannot write the state machine diagram \"" + path + "\"";
    return written;
}

}  // namespace corvane
