#include "site/site_pictures.h"

#include <set>

#include "platform/svg_canvas.h"
#include "schematic/render_context.h"
#include "schematic/render_export.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_opening.h"
#include "schematic/schematic_passes.h"
#include "statemachine/state_diagram_export.h"
#include "statemachine/state_extraction.h"

namespace corvane {

namespace {

std::size_t blockCount(const Module& module) {
    return module.assigns.size() + module.alwaysBlocks.size() + module.initialBlocks.size() +
           module.children.size();
}

// The block of an instance as drawn: its x is the centre of its top edge.
Rect instanceBlock(const Child& child) {
    const int half = child.width / 2;
    return {RenderContext::clampedSum(child.x, -static_cast<long long>(half)), child.y,
            RenderContext::clampedSum(child.x, half),
            RenderContext::clampedSum(child.y, child.height)};
}

// Links over the instance blocks whose modules have pages of their own.
void linkInstanceBlocks(const Module& module, const SiteNames& names, SvgCanvas& canvas) {
    for (const Child& child : module.children) {
        const std::string page = names.modulePage(child.moduleName);
        if (page.empty() || child.width <= 0 || child.height <= 0) continue;
        canvas.addLinkArea(instanceBlock(child), page,
                           child.moduleDisplayName + " (" + child.displayName + ")");
    }
}

}  // namespace

SitePicture schematicPicture(ModuleList& modules, const std::string& moduleName,
                             const SiteNames& names, const std::string& idPrefix) {
    SitePicture picture;
    CSchematicDlg window(modules, moduleName, standardSchematicPasses());
    const Module* module = window.findModule();
    if (module == nullptr) {
        picture.note = "The module is not analysed.";
        return picture;
    }
    if (blockCount(*module) > kMaxSiteSchematicBlocks) {
        picture.note = "The schematic is not drawn: the module has " +
                       std::to_string(blockCount(*module)) + " blocks, more than the " +
                       std::to_string(kMaxSiteSchematicBlocks) + " the site draws.";
        return picture;
    }
    openSchematicAsWindowDoes(window, *module);
    const CanvasSize size = prepareExportCanvas(window);
    SvgCanvas canvas(size.width, size.height);
    canvas.setIdPrefix(idPrefix);
    SchematicPaintHost host;
    drawSchematicExport(window, canvas, host);
    if (const Module* drawn = window.findModule()) linkInstanceBlocks(*drawn, names, canvas);
    picture.svg = canvas.document("Schematic of " + module->displayName);
    picture.drawn = true;
    return picture;
}

std::vector<SiteStateMachine> stateMachinePictures(ModuleList& modules,
                                                   const std::string& moduleName,
                                                   const std::string& idPrefix) {
    std::vector<SiteStateMachine> machines;
    const Module* module = modules.find(moduleName);
    if (module == nullptr) return machines;
    std::vector<int> lines;
    std::set<int> seen;
    for (const Always& block : module->alwaysBlocks) {
        if (seen.insert(block.line).second) lines.push_back(block.line);
    }
    for (const int line : lines) {
        StateDiagramForExport diagram(modules, moduleName, line);
        std::string error;
        if (!diagram.build(error)) continue;
        SiteStateMachine entry;
        entry.line = line;
        entry.machine.stateRegister = diagram.window().stateRegister();
        for (const StateNode& state : diagram.window().states()) {
            if (state.name != kFillerStateName) entry.machine.states.push_back(state);
        }
        const DiagramSize size = diagram.window().canvasSize();
        SvgCanvas canvas(size.width, size.height);
        canvas.setIdPrefix(idPrefix + "fsm" + std::to_string(line) + "-");
        diagram.window().drawWholeCanvas(canvas);
        entry.picture.svg = canvas.document(diagram.window().title());
        entry.picture.drawn = true;
        machines.push_back(std::move(entry));
    }
    return machines;
}

std::string inlineSvg(const std::string& document) {
    const std::size_t start = document.find("<svg");
    return start == std::string::npos ? document : document.substr(start);
}

}  // namespace corvane
