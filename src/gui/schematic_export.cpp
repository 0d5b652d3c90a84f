#include "gui/schematic_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstdlib>
#include <memory>

#include "database/text_helpers.h"
#include "gui/qt_canvas.h"
#include "platform/safe_file_writer.h"
#include "schematic/render_export.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_file.h"
#include "schematic/schematic_passes.h"

namespace corvane {

namespace {

// Pixels of the exported drawing per inch, for the page and picture sizes.
constexpr int kExportDpi = 96;

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return toLowerAscii(std::string(text.substr(text.size() - suffix.size()))) == suffix;
}

bool writeBytes(const std::string& path, const QByteArray& bytes) {
    return writeFileSafely(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool exportPng(const CSchematicDlg& window, CanvasSize size, const std::string& path,
               SchematicPaintHost& host) {
    std::unique_ptr<QtCanvas> canvas = QtCanvas::forImage(size.width, size.height);
    if (!canvas) return false;
    drawSchematicExport(window, *canvas, host);
    const QImage* image = canvas->finishImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image->save(&buffer, "PNG") && writeBytes(path, bytes);
}

bool exportSvg(const CSchematicDlg& window, CanvasSize size, const std::string& path,
               SchematicPaintHost& host) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(size.width, size.height));
    generator.setViewBox(QRect(0, 0, size.width, size.height));
    generator.setResolution(kExportDpi);
    generator.setTitle("Schematic");
    generator.setDescription(QString::fromStdString("Corvane schematic of " + window.moduleName()));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    {
        QtCanvas canvas(painter);
        drawSchematicExport(window, canvas, host);
    }
    painter.end();
    return writeBytes(path, bytes);
}

bool exportPdf(const CSchematicDlg& window, CanvasSize size, const std::string& path,
               SchematicPaintHost& host) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kExportDpi);
        const QSizeF points(size.width * 72.0 / kExportDpi, size.height * 72.0 / kExportDpi);
        writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString("Schematic - " + window.moduleName()));
        writer.setCreator("Corvane");
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        {
            QtCanvas canvas(painter);
            drawSchematicExport(window, canvas, host);
        }
        painter.end();
    }
    return writeBytes(path, bytes);
}

// What a schematic window does when it opens: the module's schematic file
// when it names a readable one, else a generated schematic.
void openSchematic(CSchematicDlg& window, const Module& module) {
    SchematicWindowHooks noHooks;
    if (!module.schematicPath.empty() && openWithSchematicFile(window, noHooks)) return;
    window.openWithoutFile();
}

// The schematic file of the window's module, written to `path` (the module's
// own schematic file path is left as it is).
bool exportSchematicFile(CSchematicDlg& window, const std::string& path) {
    std::string text;
    return schematicFileText(window, text) && writeFileSafely(path, text);
}

}  // namespace

ExportFormat exportFormatFor(std::string_view path) {
    if (endsWithNoCase(path, ".svg")) return ExportFormat::kSvg;
    if (endsWithNoCase(path, ".png")) return ExportFormat::kPng;
    if (endsWithNoCase(path, ".pdf")) return ExportFormat::kPdf;
    if (endsWithNoCase(path, ".emf")) return ExportFormat::kEmf;
    if (endsWithNoCase(path, ".qsch")) return ExportFormat::kSchematicFile;
    return ExportFormat::kUnknown;
}

namespace {

QtMessageHandler gQtHandler = nullptr;

// Qt's notes about the run-time folder of a display-less process say nothing
// to a user of the exports; every other message goes through.
void filterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QStringLiteral("QStandardPaths: "))) return;
    if (gQtHandler != nullptr) gQtHandler(type, context, text);
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVANE_LEAK_CHECKED 1
#endif
#endif

#ifdef CORVANE_LEAK_CHECKED
// The leak checker of sanitizer builds reads this: the font configuration
// library keeps its parsed configuration and font patterns for the life of
// the process, which is not a fault of the program that draws text.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
// Standard error stays the program's own: no list of the suppressions used.
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}
#endif

void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
    gQtHandler = qInstallMessageHandler(filterQtMessages);
    static int argc = 1;
    static char name[] = "corvane-batch";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: an application object must not be
    // destroyed among the static objects Qt itself still needs.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

bool exportSchematic(CSchematicDlg& window, const std::string& path, std::string& error,
                     SchematicPaintHost& host) {
    const ExportFormat format = exportFormatFor(path);
    if (format == ExportFormat::kUnknown) {
        error = "the file name \"" + path + "\" does not end in .svg, .png, .pdf, .emf or .qsch";
        return false;
    }
    if (window.findModule() == nullptr) {
        error = "the module \"" + window.moduleName() + "\" is not analysed";
        return false;
    }
    bool written = false;
    if (format == ExportFormat::kSchematicFile) {
        written = exportSchematicFile(window, path);
    } else if (format == ExportFormat::kEmf) {
        written = writeSchematicEmf(window, path, host);
    } else {
        ensureGuiApplication();
        const CanvasSize size = prepareExportCanvas(window);
        if (format == ExportFormat::kPng) written = exportPng(window, size, path, host);
        if (format == ExportFormat::kSvg) written = exportSvg(window, size, path, host);
        if (format == ExportFormat::kPdf) written = exportPdf(window, size, path, host);
    }
    if (!written) error = "cannot write the schematic \"" + path + "\"";
    return written;
}

bool exportModuleSchematic(ModuleList& modules, const std::string& moduleName,
                           const std::string& path, std::string& error) {
    CSchematicDlg window(modules, moduleName, standardSchematicPasses());
    const Module* module = window.findModule();
    if (module == nullptr) {
        error = "the module \"" + moduleName + "\" is not analysed";
        return false;
    }
    openSchematic(window, *module);
    SchematicPaintHost host;
    return exportSchematic(window, path, error, host);
}

}  // namespace corvane
