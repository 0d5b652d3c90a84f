// "Document Setting" (Margin...): the four page margins in millimetres and
// "Size fitness of Schematic".
#pragma once

#include <optional>

#include "project/project_file.h"

class QWidget;

namespace corvane {

// The dialog preset with `preset`; the edited margins on OK.
std::optional<PageMargins> runDocumentSettingDialog(QWidget* parent, const PageMargins& preset);

}  // namespace corvane
