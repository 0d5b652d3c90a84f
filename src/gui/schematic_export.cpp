#include "gui/schematic_export.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "gui/picture_files.h"
#include "schematic/render_export.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_opening.h"
#include "schematic/schematic_passes.h"

namespace corvane {

namespace {

PictureInfo schematicPicture(const CSchematicDlg& window, CanvasSize size) {
    return {size.width, size.height, "Schematic - " + window.moduleName(),
            "Corvane schematic of " + window.moduleName()};
}

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
        written = writeSchematicFileTo(window, path);
    } else if (format == ExportFormat::kEmf) {
        written = writeSchematicEmf(window, path, host);
    } else {
        ensureGuiApplication();
        const PictureInfo picture = schematicPicture(window, prepareExportCanvas(window));
        const DrawOnto draw = [&](Canvas& canvas) { drawSchematicExport(window, canvas, host); };
        if (format == ExportFormat::kPng) written = writePngPicture(picture, draw, path);
        if (format == ExportFormat::kSvg) written = writeSvgPicture(picture, draw, path);
        if (format == ExportFormat::kPdf) written = writePdfPicture(picture, draw, path);
    }
    if (!written) error = "cannot write the schematic \"" + path + "\"";
    return written;
}

namespace {

// Creates the file when it is missing, as the export's first check that it
// can be written; an existing file keeps its bytes until the export writes.
bool canCreate(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

void exportSchematicCommand(CSchematicDlg& window, UiHost& ui, SchematicPaintHost& host) {
    const Module* module = window.findModule();
    if (module == nullptr) return;
    FileDialogRequest request;
    request.caption = "Please input the name of EMF file";
    request.okText = "&OK";
    request.filter = kSchematicExportFilter;
    request.defaultExtension = "emf";
    request.proposedName = module->name;
    request.overwritePrompt = true;
    const std::optional<std::string> path = ui.saveFileDialog(request);
    if (!path) return;
    const ExportFormat format = exportFormatFor(*path);
    bool written = false;
    if (format != ExportFormat::kSchematicFile && canCreate(*path)) {
        if (format == ExportFormat::kSvg || format == ExportFormat::kPng ||
            format == ExportFormat::kPdf) {
            std::string error;
            written = exportSchematic(window, *path, error, host);
        } else {
            written = writeSchematicEmf(window, *path, host);
        }
    }
    if (!written) {
        ui.messageBox({"CORVANE cannot save this file.", *path, MessageIcon::kExclamation,
                       MessageButtons::kOk});
    }
}

bool exportModuleSchematic(ModuleList& modules, const std::string& moduleName,
                           const std::string& path, std::string& error) {
    CSchematicDlg window(modules, moduleName, standardSchematicPasses());
    const Module* module = window.findModule();
    if (module == nullptr) {
        error = "the module \"" + moduleName + "\" is not analysed";
        return false;
    }
    openSchematicAsWindowDoes(window, *module);
    SchematicPaintHost host;
    return exportSchematic(window, path, error, host);
}

}  // namespace corvane
