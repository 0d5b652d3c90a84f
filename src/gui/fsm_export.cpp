#include "gui/fsm_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <functional>
#include <memory>

#include "database/text_helpers.h"
#include "gui/qt_canvas.h"
#include "gui/schematic_export.h"
#include "platform/recording_canvas.h"
#include "platform/safe_file_writer.h"
#include "platform/scripted_ui_host.h"
#include "statemachine/stt_dlg.h"

namespace corvane {

namespace {

// Pixels of the exported drawing per inch, for the page and picture sizes.
constexpr int kExportDpi = 96;

using DrawOnto = std::function<void(Canvas&)>;

bool endsWithNoCase(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           toLowerAscii(std::string_view(text).substr(text.size() - suffix.size())) == suffix;
}

bool writeBytes(const std::string& path, const QByteArray& bytes) {
    return writeFileSafely(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool exportPng(DiagramSize size, const DrawOnto& draw, const std::string& path) {
    std::unique_ptr<QtCanvas> canvas = QtCanvas::forImage(size.width, size.height);
    if (!canvas) return false;
    draw(*canvas);
    const QImage* image = canvas->finishImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image->save(&buffer, "PNG") && writeBytes(path, bytes);
}

bool exportSvg(DiagramSize size, const DrawOnto& draw, const std::string& title,
               const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(size.width, size.height));
    generator.setViewBox(QRect(0, 0, size.width, size.height));
    generator.setResolution(kExportDpi);
    generator.setTitle("State Transition Diagram");
    generator.setDescription(QString::fromStdString(title));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    {
        QtCanvas canvas(painter);
        draw(canvas);
    }
    painter.end();
    return writeBytes(path, bytes);
}

bool exportPdf(DiagramSize size, const DrawOnto& draw, const std::string& title,
               const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kExportDpi);
        const QSizeF points(size.width * 72.0 / kExportDpi, size.height * 72.0 / kExportDpi);
        writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator("Corvane");
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        {
            QtCanvas canvas(painter);
            draw(canvas);
        }
        painter.end();
    }
    return writeBytes(path, bytes);
}

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
    if (format == ExportFormat::kPng) return exportPng(size, draw, path);
    if (format == ExportFormat::kSvg) return exportSvg(size, draw, window.title(), path);
    return exportPdf(size, draw, window.title(), path);
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
