#include "platform/export_format.h"

#include "text/text_helpers.h"

namespace corvane {

ExportFormat exportFormatFor(std::string_view path) {
    if (endsWithNoCase(path, ".svg")) return ExportFormat::kSvg;
    if (endsWithNoCase(path, ".png")) return ExportFormat::kPng;
    if (endsWithNoCase(path, ".pdf")) return ExportFormat::kPdf;
    if (endsWithNoCase(path, ".emf")) return ExportFormat::kEmf;
    if (endsWithNoCase(path, ".qsch")) return ExportFormat::kSchematicFile;
    return ExportFormat::kUnknown;
}

}  // namespace corvane
