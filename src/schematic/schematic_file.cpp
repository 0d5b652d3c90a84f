#include "schematic/schematic_file.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/safe_file_writer.h"
#include "schematic/block_layout.h"
#include "schematic/end_snapping.h"
#include "text/tag_reader.h"

namespace corvane {

namespace {

// Kinds and the shape names the file writes for them.
struct ShapeName {
    int kind;
    const char* name;
};
constexpr ShapeName kShapes[] = {
    {kCommentLine, "LINE"},       {kCommentArrow, "ARROW"}, {kCommentRect, "RECT"},
    {kCommentEllipse, "ELLIPSE"}, {kCommentText, "TEXT"},   {kCommentMarker, "ScHeMaTiC"},
};

const char* shapeName(int kind) {
    for (const ShapeName& shape : kShapes) {
        if (shape.kind == kind) return shape.name;
    }
    return "";
}

int shapeKind(const std::string& name) {
    for (const ShapeName& shape : kShapes) {
        if (name == shape.name) return shape.kind;
    }
    return -1;
}

// printf into a std::string; every template here fits the first buffer except
// for long names, which take a second pass.
template <typename... Args>
void appendFormat(std::string& out, const char* format, Args... args) {
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    if (length < 0) return;
    if (static_cast<size_t>(length) < sizeof buffer) {
        out.append(buffer, static_cast<size_t>(length));
        return;
    }
    std::string large(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(large.data(), large.size(), format, args...);
    out.append(large.data(), static_cast<size_t>(length));
}

const char* onOff(int flag) {
    return flag != 0 ? "on" : "off";
}

std::string escaped(const std::string& text) {
    return escapeTagText(text);
}

void writeSettings(std::string& out, const CSchematicDlg& window, const Module& module) {
    const CanvasSize canvas = window.canvasSize();
    appendFormat(out, "\t<size width=\"%d\" height=\"%d\"/>\r\n", canvas.width, canvas.height);
    appendFormat(out, "\t<powerclock mode=\"%s\"/>\r\n", module.highlightClock == 1 ? "on" : "off");
    appendFormat(out, "\t<zoom level=\"%lf\"/>\r\n", module.zoom);
    appendFormat(out, "\t<summary mode=\"%s\"/>\r\n", module.summaryMode == 1 ? "on" : "off");
    appendFormat(out, "\t<zoom_s level=\"%lf\"/>\r\n", module.summaryZoom);
    appendFormat(out, "\t<grid snap=\"%s\" appear=\"%s\" size=\"%d\"/>\r\n", onOff(module.gridSnap),
                 onOff(module.gridVisible), module.gridSize);
    appendFormat(out, "\t<grid_s snap=\"%s\" appear=\"%s\" size=\"%d\"/>\r\n",
                 onOff(module.summaryGridSnap), onOff(module.summaryGridVisible),
                 module.summaryGridSize);
}

void writeBlocks(std::string& out, const Module& module) {
    for (const Pin& pin : module.pins) {
        appendFormat(out, "\t<pin name=\"%s\" vname=\"%s\" x=\"%d\" y=\"%d\"/>\r\n",
                     escaped(pin.name).c_str(), escaped(pin.displayName).c_str(), pin.x, pin.y);
    }
    for (const Assign& block : module.assigns) {
        appendFormat(out, "\t<assign name=\"%s\" vname=\"%s\" x=\"%d\" y=\"%d\"/>\r\n",
                     escaped(block.name).c_str(), escaped(block.displayName).c_str(), block.x,
                     block.y);
    }
    for (const Child& block : module.children) {
        appendFormat(
            out, "\t<child name=\"%s\" vinsname=\"%s\" x=\"%d\" y=\"%d\" viewparam=\"%s\"/>\r\n",
            escaped(block.name).c_str(), escaped(block.displayName).c_str(), block.x, block.y,
            block.viewParam == 1 ? "on" : "off");
    }
    for (const Always& block : module.alwaysBlocks) {
        appendFormat(out, "\t<always lineid=\"%d\" x=\"%d\" y=\"%d\"/>\r\n", block.line, block.x,
                     block.y);
    }
    for (const Initial& block : module.initialBlocks) {
        appendFormat(out, "\t<initial lineid=\"%d\" x=\"%d\" y=\"%d\"/>\r\n", block.line, block.x,
                     block.y);
    }
}

// Nets are numbered by their position in the module's net order.
void writeNets(std::string& out, const Module& module) {
    int id = 0;
    for (const auto& [name, net] : module.nets) {
        appendFormat(out, "\t<connect id=\"%d\" name=\"%s\" pt=\"%d\" color=\"%06X\"/>\r\n", id,
                     escaped(name).c_str(), net.lineWidth, static_cast<unsigned>(net.color));
        ++id;
    }
    id = 0;
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            appendFormat(out,
                         "\t<handroute id=\"%d\" x0=\"%d\" y0=\"%d\" x1=\"%d\" y1=\"%d\"/>\r\n", id,
                         s.x0, s.y0, s.x1, s.y1);
        }
        ++id;
    }
    id = 0;
    for (const auto& [name, net] : module.nets) {
        for (const auto& [key, count] : net.touch) {
            appendFormat(out, "\t<handroute.touch id=\"%d\" key=\"%d\" value=\"%d\"/>\r\n", id, key,
                         count);
        }
        ++id;
    }
}

void writeComment(std::string& out, const SchematicComment& c) {
    appendFormat(out,
                 "\t<comment shape=\"%s\" x0=\"%d\" y0=\"%d\" x1=\"%d\" y1=\"%d\" pt=\"%d\" "
                 "color=\"%06X\" text=\"%s\" face=\"%s\" ",
                 shapeName(c.kind), c.x0, c.y0, c.x1, c.y1, c.pt, static_cast<unsigned>(c.color),
                 escaped(encodeCommentText(c.text)).c_str(), escaped(c.face).c_str());
    appendFormat(out,
                 "sx0=\"%d\" sy0=\"%d\" sx1=\"%d\" sy1=\"%d\" scp.type=\"%d\" scp.id=\"%d\" "
                 "scp.ix=\"%d\" scp.iy=\"%d\" scp.six=\"%d\" scp.siy=\"%d\"/>\r\n",
                 c.sx0, c.sy0, c.sx1, c.sy1, c.scpType, c.scpId, c.scpIx, c.scpIy, c.scpSix,
                 c.scpSiy);
}

// Every comment in order; of the marker records only the first.
void writeComments(std::string& out, const std::vector<SchematicComment>& comments) {
    bool markerWritten = false;
    for (const SchematicComment& comment : comments) {
        if (comment.kind == kCommentMarker) {
            if (markerWritten) continue;
            markerWritten = true;
        }
        writeComment(out, comment);
    }
}

// A plain decimal conversion: optional blanks and sign, then digits; anything
// else reads as 0 and values beyond the int range are clamped.
int toInt(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double toDouble(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// A hexadecimal colour; false when the text starts with no hexadecimal digit.
bool toColor(const std::string& text, int& color) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const unsigned long long value = std::strtoull(begin, &end, 16);
    if (end == begin) return false;
    color = static_cast<int>(static_cast<unsigned>(value));
    return true;
}

int flag(const std::string& text) {
    return text == "on" ? 1 : 0;
}

// State of one read: the nets by position and the ids of the previous route
// and junction lines.
class SchematicReader {
public:
    SchematicReader(CSchematicDlg& window, Module& module, TagReader& tags)
        : window_(window), module_(module), tags_(tags) {
        for (auto& [name, net] : module.nets) nets_.push_back(&net);
    }

    void run() {
        clearRoutes();
        tags_.rewind();
        while (!tags_.next()) {
            if (tags_.kind() == kTagStart) element(tags_.name());
        }
        for (const SchematicComment& comment : window_.comments()) {
            if (comment.kind == kCommentMarker) return;
        }
        window_.comments().push_back(makeMarkerComment());
    }

private:
    const std::string& at(const char* name) const { return tags_.attribute(name); }
    int number(const char* name) const { return toInt(at(name)); }

    void clearRoutes() {
        window_.comments().clear();
        for (Net* net : nets_) {
            net->needsRouting = 1;
            net->route.clear();
            net->touch.clear();
        }
    }

    Net* netAt(int id) const {
        if (id < 0 || id >= static_cast<int>(nets_.size())) return nullptr;
        return nets_[static_cast<size_t>(id)];
    }

    template <typename Block>
    void place(std::vector<Block>& blocks, const std::string& name) {
        for (Block& block : blocks) {
            if (block.name != name) continue;
            block.x = number("x");
            block.y = number("y");
            return;
        }
    }

    template <typename Block>
    void placeByLine(std::vector<Block>& blocks) {
        const int line = number("lineid");
        for (Block& block : blocks) {
            if (block.line != line) continue;
            block.x = number("x");
            block.y = number("y");
            return;
        }
    }

    void element(const std::string& name) {
        if (name == "size") {
            window_.setCanvasSize({number("width"), number("height")});
        } else if (name == "powerclock") {
            module_.highlightClock = flag(at("mode"));
        } else if (name == "zoom") {
            module_.zoom = toDouble(at("level"));
        } else if (name == "zoom_s") {
            module_.summaryZoom = toDouble(at("level"));
        } else if (name == "grid") {
            module_.gridSnap = flag(at("snap"));
            module_.gridVisible = flag(at("appear"));
            module_.gridSize = number("size");
        } else if (name == "grid_s") {
            module_.summaryGridSnap = flag(at("snap"));
            module_.summaryGridVisible = flag(at("appear"));
            module_.summaryGridSize = number("size");
        } else {
            placementElement(name);
        }
    }

    void placementElement(const std::string& name) {
        if (name == "pin") {
            place(module_.pins, at("name"));
        } else if (name == "assign") {
            place(module_.assigns, at("name"));
        } else if (name == "child") {
            child();
        } else if (name == "always") {
            placeByLine(module_.alwaysBlocks);
        } else if (name == "initial") {
            placeByLine(module_.initialBlocks);
        } else {
            netElement(name);
        }
    }

    void child() {
        const std::string& name = at("name");
        for (Child& block : module_.children) {
            if (block.name != name) continue;
            block.x = number("x");
            block.y = number("y");
            block.viewParam = flag(at("viewparam"));
            return;
        }
    }

    void netElement(const std::string& name) {
        if (name == "connect") {
            connect();
        } else if (name == "handroute") {
            handroute();
        } else if (name == "handroute.touch") {
            touch();
        } else if (name == "comment") {
            comment();
        } else if (name == "hotpinname") {
            window_.setHotPin(at("name"), number("io"));
        }
    }

    void connect() {
        Net* net = netAt(number("id"));
        if (!net) return;
        net->lineWidth = number("pt");
        int color = 0;
        if (toColor(at("color"), color)) net->color = color;  // else keep the current colour
    }

    // The first line of a net's run replaces the route it had.
    void handroute() {
        const int id = number("id");
        const bool first = !routeStarted_ || id != routeId_;
        routeStarted_ = true;
        routeId_ = id;
        Net* net = netAt(id);
        if (!net) return;
        if (first) net->route.clear();
        Segment segment;
        segment.x0 = number("x0");
        segment.y0 = number("y0");
        segment.x1 = number("x1");
        segment.y1 = number("y1");
        net->route.push_back(segment);
        net->needsRouting = 0;
    }

    void touch() {
        const int id = number("id");
        const bool first = !touchStarted_ || id != touchId_;
        touchStarted_ = true;
        touchId_ = id;
        Net* net = netAt(id);
        if (!net) return;
        if (first) net->touch.clear();
        net->touch[number("key")] = number("value");
        net->needsRouting = 0;
    }

    void comment() {
        SchematicComment c;
        c.kind = shapeKind(at("shape"));
        if (c.kind == kCommentMarker && hasMarker()) return;
        c.x0 = number("x0");
        c.y0 = number("y0");
        c.x1 = number("x1");
        c.y1 = number("y1");
        c.pt = number("pt");
        toColor(at("color"), c.color);
        c.text = decodeCommentText(at("text"));
        c.face = at("face");
        c.sx0 = number("sx0");
        c.sy0 = number("sy0");
        c.sx1 = number("sx1");
        c.sy1 = number("sy1");
        c.scpType = number("scp.type");
        c.scpId = number("scp.id");
        c.scpIx = number("scp.ix");
        c.scpIy = number("scp.iy");
        c.scpSix = number("scp.six");
        c.scpSiy = number("scp.siy");
        window_.comments().push_back(c);
    }

    bool hasMarker() const {
        for (const SchematicComment& c : window_.comments()) {
            if (c.kind == kCommentMarker) return true;
        }
        return false;
    }

    CSchematicDlg& window_;
    Module& module_;
    TagReader& tags_;
    std::vector<Net*> nets_;
    bool routeStarted_ = false;
    int routeId_ = 0;
    bool touchStarted_ = false;
    int touchId_ = 0;
};

bool readParsed(CSchematicDlg& window, TagReader& tags) {
    Module* module = window.findModule();
    if (!module) return false;
    SchematicReader(window, *module, tags).run();
    return true;
}

}  // namespace

std::string encodeCommentText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\r\\n";
            ++i;
        } else if (text[i] == '\t') {
            out += "\\t";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string decodeCommentText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 4) == "\\r\\n") {
            out += "\r\n";
            i += 3;
        } else if (text.substr(i, 2) == "\\t") {
            out += '\t';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool schematicFileText(CSchematicDlg& window, std::string& out) {
    const Module* module = window.findModule();
    if (!module) return false;
    std::string text = "<?xml version=\"1.0\"?>\r\n<qsch.version value=\"2\"/>\r\n<corvane>\r\n";
    writeSettings(text, window, *module);
    writeBlocks(text, *module);
    writeNets(text, *module);
    writeComments(text, window.comments());
    appendFormat(text, "\t<hotpinname name=\"%s\" io=\"%d\"/>\r\n",
                 escaped(window.hotPinName()).c_str(), window.hotPinIo());
    text += "</corvane>\r\n";
    out = std::move(text);
    return true;
}

bool writeSchematicFile(CSchematicDlg& window) {
    std::string text;
    if (!schematicFileText(window, text)) return false;
    const std::string& path = window.findModule()->schematicPath;
    if (path.empty()) return false;
    return writeFileSafely(path, text);
}

bool readSchematicFile(CSchematicDlg& window) {
    const Module* module = window.findModule();
    if (!module) return false;
    TagReader tags;
    if (tags.open(module->schematicPath) != TagReader::kOpened) return false;
    return readParsed(window, tags);
}

bool readSchematicText(CSchematicDlg& window, std::string_view bytes) {
    TagReader tags;
    if (tags.parse(bytes) != TagReader::kOpened) return false;
    return readParsed(window, tags);
}

void runPostLoadSequence(CSchematicDlg& window) {
    Module* module = window.findModule();
    if (!module) return;
    for (auto& [name, net] : module->nets) {
        if (net.route.empty()) net.needsRouting = 1;
    }
    remeasureSchematic(*module, window.sensitivity(), window.textMeasure());
    window.refreshTerminalPoints();
    window.routeFlaggedNets(*module);
    window.cleanUpRoutes(*module, false);
    window.checkJunctions(*module);
    snapRouteEnds(*module);
}

bool openWithSchematicFile(CSchematicDlg& window, SchematicWindowHooks& hooks) {
    if (!readSchematicFile(window)) return false;
    runPostLoadSequence(window);
    hooks.refreshMenuStates(window);
    window.highlightClocks();
    hooks.updateTitle(window);
    window.resetUndoHistory();
    hooks.restartUndoHistory(window);
    return true;
}

}  // namespace corvane
