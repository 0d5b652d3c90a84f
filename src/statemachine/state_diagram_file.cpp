#include "statemachine/state_diagram_file.h"

#include <cstdio>

#include "platform/safe_file_writer.h"
#include "text/tag_reader.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

template <typename... Args>
void appendFormatted(std::string& out, const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(size) + 1);
    std::snprintf(out.data() + start, static_cast<std::size_t>(size) + 1, format, args...);
    out.resize(start + static_cast<std::size_t>(size));
}

void applyTags(TagReader& tags, TransitionLabels& labels) {
    tags.rewind();
    while (!tags.next()) {
        if (tags.kind() != kTagStart || tags.name() != "statelabel") continue;
        // A key the diagram lacks gets a fresh label: quadrant 0, no lines.
        TransitionLabel& label = labels[tags.attribute("name")];
        label.x = leadingInt(tags.attribute("x"));
        label.y = leadingInt(tags.attribute("y"));
    }
}

}  // namespace

std::string stateDiagramFileText(DiagramSize canvas, const TransitionLabels& labels) {
    std::string out = "<?xml version=\"1.0\"?>\r\n<qstm.version value=\"1\"/>\r\n<corvane>\r\n";
    appendFormatted(out, "\t<size width=\"%d\" height=\"%d\"/>\r\n", canvas.width, canvas.height);
    for (const auto& [key, label] : labels) {
        if (label.x == kUnplacedLabel) continue;  // never placed on screen
        // The key is appended as bytes, so nothing in it can cut the line short.
        out += "\t<statelabel name=\"" + escapeTagText(key) + "\"";
        appendFormatted(out, " x=\"%d\" y=\"%d\" />\r\n", label.x, label.y);
    }
    out += "</corvane>\r\n";
    return out;
}

bool readStateDiagramText(std::string_view bytes, TransitionLabels& labels) {
    TagReader tags;
    if (tags.parse(bytes) != TagReader::kOpened) return false;
    applyTags(tags, labels);
    return true;
}

bool readStateDiagramPath(const std::string& path, TransitionLabels& labels) {
    if (path.empty()) return false;
    TagReader tags;
    if (tags.open(path) != TagReader::kOpened) return false;
    applyTags(tags, labels);
    return true;
}

bool writeStateDiagramPath(const std::string& path, DiagramSize canvas,
                           const TransitionLabels& labels) {
    if (path.empty()) return false;
    return writeFileSafely(path, stateDiagramFileText(canvas, labels));
}

}  // namespace corvane
