#include "schematic/geometry_dump.h"

#include <string_view>

#include "schematic/block_access.h"
#include "schematic/schematic_dlg.h"

namespace corvane {

namespace {

class Dump {
public:
    Dump& word(std::string_view text) {
        separate();
        out_ += text;
        return *this;
    }
    Dump& number(long long value) { return word(std::to_string(value)); }
    Dump& field(std::string_view name, long long value) {
        separate();
        out_ += name;
        out_ += '=';
        out_ += std::to_string(value);
        return *this;
    }
    // Geometry fields x, y, w, h of anything that has them.
    template <typename Item>
    Dump& box(const Item& item) {
        return field("x", item.x).field("y", item.y).field("w", item.width).field("h", item.height);
    }
    void endLine() {
        out_ += '\n';
        lineStart_ = true;
    }
    void indent() {
        out_ += "  ";
        lineStart_ = true;
    }
    std::string take() { return std::move(out_); }

private:
    void separate() {
        if (!lineStart_) out_ += ' ';
        lineStart_ = false;
    }

    std::string out_;
    bool lineStart_ = true;
};

const char* kindName(int kind) {
    switch (kind) {
        case kKindAssign:
            return "assign";
        case kKindAlways:
            return "always";
        case kKindChild:
            return "child";
        default:
            return "initial";
    }
}

void dumpPort(Dump& dump, const char* tag, std::size_t index, const Pin& port) {
    dump.indent();
    dump.word(tag).number(static_cast<long long>(index)).word(port.name);
    dump.field("dir", port.direction).box(port);
    dump.endLine();
}

void dumpBlocks(Dump& dump, const Module& module, const SensitivityPlaces& sensitivity) {
    forEachBlock(module, [&](int kind, int index, const auto& block) {
        dump.word(kindName(kind)).number(index).box(block);
        dump.endLine();
        if (kind == kKindAlways) {
            const std::vector<LabelBox>& entries = sensitivity.entriesOf(index);
            const Always& always = module.alwaysBlocks[static_cast<std::size_t>(index)];
            for (std::size_t i = 0; i < entries.size(); ++i) {
                dump.indent();
                dump.word("sens").number(static_cast<long long>(i));
                dump.word(i < always.sensitivity.size() ? always.sensitivity[i].name : "?");
                dump.box(entries[i]);
                dump.endLine();
            }
        }
        for (std::size_t i = 0; i < block.ports.size(); ++i)
            dumpPort(dump, "port", i, block.ports[i]);
    });
}

void dumpNet(Dump& dump, const std::string& name, const Net& net) {
    dump.word("net").word(name).field("lw", net.lineWidth).field("color", net.color);
    dump.field("route", net.needsRouting);
    dump.endLine();
    for (const Terminal& t : net.terminals) {
        dump.indent();
        dump.word("term").field("kind", t.kind).field("index", t.index);
        dump.field("port", t.portIndex).field("role", t.role).field("side", t.side);
        dump.field("x", t.x).field("y", t.y);
        dump.endLine();
    }
    for (const Segment& s : net.route) {
        dump.indent();
        dump.word("seg").number(s.x0).number(s.y0).number(s.x1).number(s.y1);
        if (!s.text.empty()) dump.word(s.text);
        dump.endLine();
    }
    for (const auto& [key, count] : net.touch) {
        dump.indent();
        dump.word("touch").number(key).field("count", count);
        dump.endLine();
    }
}

std::string geometryOf(const Module& module, const SensitivityPlaces& sensitivity) {
    Dump dump;
    dump.word("module").word(module.name);
    dump.endLine();
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        const Pin& pin = module.pins[i];
        dump.word("pin").number(static_cast<long long>(i)).word(pin.name);
        dump.field("dir", pin.direction).box(pin);
        dump.endLine();
    }
    dumpBlocks(dump, module, sensitivity);
    for (const auto& [name, net] : module.nets) dumpNet(dump, name, net);
    return dump.take();
}

}  // namespace

std::string dumpGeometry(const Module& module, const SensitivityPlaces& sensitivity) {
    return geometryOf(module, sensitivity);
}

std::string dumpGeometry(const CSchematicDlg& window) {
    Dump dump;
    dump.word("canvas").number(window.canvasSize().width).number(window.canvasSize().height);
    dump.endLine();
    dump.word("summary").number(window.summaryCanvasSize().width);
    dump.number(window.summaryCanvasSize().height);
    dump.endLine();
    for (const SchematicComment& c : window.comments()) {
        dump.word("comment").field("kind", c.kind).number(c.x0).number(c.y0).number(c.x1);
        dump.number(c.y1);
        dump.endLine();
    }
    std::string text = dump.take();
    const Module* module = window.findModule();
    if (module) text += geometryOf(*module, window.sensitivity());
    return text;
}

}  // namespace corvane
