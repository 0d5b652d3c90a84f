// Folding in the source viewer: collapsing a region removes its lines from
// the shown text and keeps them in the region; expanding puts them back.
// Collapsed regions never nest: collapsing an outer region expands, in its
// saved copy, the collapsed regions inside it.
#include <algorithm>
#include <map>

#include "viewers/editor_dlg.h"

namespace corvane {

namespace {

int hiddenLines(const FoldRegion& region) {
    return static_cast<int>(region.savedLines.size());
}

}  // namespace

int CEditorDlg::sourceLineOf(int controlLine) const {
    int source = controlLine;
    for (const FoldRegion& region : regions_) {
        if (!region.expanded && region.startLine < source) {
            source += hiddenLines(region);
        }
    }
    return source;
}

int CEditorDlg::controlLineOf(int sourceLine) const {
    int hidden = 0;
    for (const FoldRegion& region : regions_) {
        if (region.expanded || region.startLine >= sourceLine) {
            continue;
        }
        if (sourceLine <= region.startLine + hiddenLines(region)) {
            return region.startLine - hidden;  // a hidden line shows as its region's first line
        }
        hidden += hiddenLines(region);
    }
    return sourceLine - hidden;
}

// One pass in start order: the lines hidden by the collapsed regions passed
// so far turn each start line into its control line.
std::vector<GutterMarker> CEditorDlg::gutterMarkers() const {
    std::vector<GutterMarker> markers;
    const FoldRegion* collapsed = nullptr;
    int hidden = 0;
    for (const FoldRegion& region : regions_) {
        const bool inside = collapsed && region.startLine > collapsed->startLine &&
                            region.startLine <= collapsed->endLine;
        if (inside) {
            continue;
        }
        markers.push_back({region.startLine - hidden, !region.expanded});
        if (!region.expanded) {
            collapsed = &region;
            hidden += hiddenLines(region);
        }
    }
    return markers;
}

std::string CEditorDlg::statusText(int caretControlLine) const {
    return "line " + std::to_string(sourceLineOf(caretControlLine) + 1);
}

std::optional<FoldChange> CEditorDlg::toggleFold(int controlLine) {
    if (controlLine < 0 || controlLine >= controlLineCount()) {
        return std::nullopt;
    }
    const int source = sourceLineOf(controlLine);
    for (FoldRegion& region : regions_) {
        if (region.startLine == source) {
            FoldChange change = region.expanded ? collapse(region) : expand(region);
            pointAt(pointedLine_);
            return change;
        }
    }
    return std::nullopt;
}

// Replaces text_[from, to) and its colours, keeping the line table, the
// colouring position and the comment search in step.
void CEditorDlg::replaceText(std::size_t from, std::size_t to, std::string_view with) {
    text_.replace(from, to - from, with);
    colours_.erase(colours_.begin() + static_cast<std::ptrdiff_t>(from),
                   colours_.begin() + static_cast<std::ptrdiff_t>(to));
    colours_.insert(colours_.begin() + static_cast<std::ptrdiff_t>(from), with.size(), Color{0});
    rebuildLineStarts();
    commentEnds_.reset();
    if (colouringPosition_ > static_cast<long>(from)) {
        const long shifted = colouringPosition_ - static_cast<long>(to - from) +
                             static_cast<long>(with.size());
        colouringPosition_ = std::max(shifted, static_cast<long>(from));
    }
}

FoldChange CEditorDlg::collapse(FoldRegion& region) {
    FoldChange change;
    change.afterControlLine = controlLineOf(region.startLine);
    std::map<int, FoldRegion*> collapsedInside;
    for (FoldRegion& inner : regions_) {
        if (!inner.expanded && inner.startLine > region.startLine && inner.startLine <= region.endLine) {
            collapsedInside[inner.startLine] = &inner;
        }
    }
    std::vector<std::string> saved;
    int control = change.afterControlLine + 1;
    for (int source = region.startLine + 1; source <= region.endLine && control < controlLineCount();
         ++source, ++control) {
        saved.push_back(text_.substr(lineStart(control), lineEnd(control) - lineStart(control)));
        ++change.removedLines;
        const auto inner = collapsedInside.find(source);
        if (inner != collapsedInside.end()) {
            FoldRegion& folded = *inner->second;
            saved.insert(saved.end(), folded.savedLines.begin(), folded.savedLines.end());
            source += hiddenLines(folded);
            folded.savedLines.clear();
            folded.expanded = true;
        }
    }
    if (change.removedLines > 0) {
        replaceText(lineEnd(change.afterControlLine), lineEnd(control - 1), "");
    }
    region.savedLines = std::move(saved);
    region.expanded = false;
    return change;
}

FoldChange CEditorDlg::expand(FoldRegion& region) {
    FoldChange change;
    change.afterControlLine = controlLineOf(region.startLine);
    for (const std::string& line : region.savedLines) {
        change.insertedText += '\n';
        change.insertedText += line;
    }
    region.savedLines.clear();
    region.expanded = true;
    replaceText(lineEnd(change.afterControlLine), lineEnd(change.afterControlLine),
                change.insertedText);
    colouringPosition_ = static_cast<long>(lineStart(change.afterControlLine));
    return change;
}

}  // namespace corvane
