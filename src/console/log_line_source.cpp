#include "console/log_line_source.h"

#include "console/folder_walk.h"
#include "diagnostics/log_navigation.h"

namespace corvane {

bool openLogLineSource(CMorvelDlg& controller, std::string_view logLine) {
    const auto target = navigationTargetOf(logLine.substr(0, kMaxNavigationLineLength));
    if (!target || target->file.empty() || !isReadableFile(target->file)) return false;
    controller.openSourceViewer(target->file, target->line);
    return true;
}

}  // namespace corvane
