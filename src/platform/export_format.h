// The picture and file formats the exports write, chosen by a file name's
// extension.
#pragma once

#include <string_view>

namespace corvane {

enum class ExportFormat { kUnknown, kSvg, kPng, kPdf, kEmf, kSchematicFile };

// The format a file name asks for by its extension (letter case ignored).
ExportFormat exportFormatFor(std::string_view path);

}  // namespace corvane
