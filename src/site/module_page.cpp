#include "site/module_page.h"

#include "reports/report_text.h"
#include "reports/summary_report.h"
#include "site/site_page.h"

namespace corvane {

namespace {

struct PageContext {
    const ModulePageInput& input;
    std::string sourcePage;  // relative to the module folder; "" without one

    // A link to `line` of the module's source, or the number alone.
    std::string lineLink(int line) const {
        if (sourcePage.empty() || line <= 0) return html(std::to_string(line));
        return link(sourcePage + "#L" + std::to_string(line), std::to_string(line));
    }
    // A link to the page of `moduleName`, or the name marked as not analysed.
    std::string moduleLink(const std::string& moduleName, const std::string& displayName) const {
        const std::string page = input.names.modulePage(moduleName);
        if (page.empty()) {
            return html(displayName) + " <span class=\"missing\">(not analysed)</span>";
        }
        return link(page, displayName);
    }
};

std::string row(std::initializer_list<std::string> cells) {
    std::string text = "<tr>";
    for (const std::string& cell : cells) text += "<td>" + cell + "</td>";
    return text + "</tr>\n";
}

std::string numberCell(long long value) {
    return std::to_string(value);
}

std::string tableStart(std::initializer_list<const char*> headings) {
    std::string text = "<div class=\"scroll\"><table>\n<thead><tr>";
    for (const char* heading : headings) text += std::string("<th>") + heading + "</th>";
    return text + "</tr></thead>\n<tbody>\n";
}

std::string tableEnd() {
    return "</tbody>\n</table></div>\n";
}

std::string summarySection(const PageContext& page) {
    const Module& module = page.input.module;
    long long pins = 0, inputs = 0, outputs = 0, inouts = 0;
    for (const Pin& pin : module.pins) {
        const long long width = bitWidth(pin.msb, pin.lsb);
        pins += width;
        if (pin.direction == 0) inputs += width;
        if (pin.direction == 1) outputs += width;
        if (pin.direction == 2) inouts += width;
    }
    std::string text = "<h2 id=\"summary\">Summary</h2>\n<div class=\"scroll\"><table>\n<tbody>\n";
    const auto figure = [&text](const char* label, const std::string& value) {
        text += std::string("<tr><th>") + label + "</th><td>" + value + "</td></tr>\n";
    };
    figure("Pins (bits)", numberCell(pins) + " (input " + numberCell(inputs) + ", output " +
                              numberCell(outputs) + ", inout " + numberCell(inouts) + ")");
    figure("Ports", numberCell(static_cast<long long>(module.pins.size())));
    figure("Register bits", numberCell(registerBits(module)));
    figure("Register bits with instances",
           numberCell(totalRegisterBits(page.input.modules, module.name)));
    figure("Wires", numberCell(static_cast<long long>(module.wires.size())));
    figure("Registers", numberCell(static_cast<long long>(module.regs.size())));
    figure("Assignments", numberCell(static_cast<long long>(module.assigns.size())));
    figure(module.language == kVhdl ? "Processes" : "Always blocks",
           numberCell(static_cast<long long>(module.alwaysBlocks.size())));
    figure("Instances", numberCell(static_cast<long long>(module.children.size())));
    figure("Nets", numberCell(static_cast<long long>(module.nets.size())));
    figure("State machines", numberCell(static_cast<long long>(page.input.stateMachines.size())));
    const std::string source =
        page.sourcePage.empty() ? html(module.filePath) : link(page.sourcePage, module.filePath);
    figure("Source file", source);
    figure("File size",
           numberCell(module.charCount) + " bytes (" + numberCell(module.lineCount) + " lines)");
    return text + "</tbody>\n</table></div>\n";
}

std::string portSection(const PageContext& page) {
    const Module& module = page.input.module;
    std::string text = "<h2 id=\"ports\">Ports</h2>\n";
    if (module.pins.empty()) return text + "<p class=\"missing\">No ports.</p>\n";
    text += tableStart({"Direction", "Range", "Name", "Comment", "Line"});
    for (const Pin& pin : module.pins) {
        text += row({html(directionWord(pin.direction)), html(rangeWords(pin.msb, pin.lsb)),
                     "<code>" + html(pin.displayName) + "</code>", html(pin.comment),
                     page.lineLink(pin.line)});
    }
    return text + tableEnd();
}

std::string parameterSection(const PageContext& page) {
    const Module& module = page.input.module;
    std::string text = "<h2 id=\"parameters\">Parameters</h2>\n";
    if (module.parameters.empty() && module.generics.empty()) {
        text += "<p class=\"missing\">No parameters.</p>\n";
    } else {
        text += tableStart({"Name", "Value", "Kind"});
        for (const auto& [name, value] : module.parameters) {
            text += row({"<code>" + html(name) + "</code>", "<code>" + html(value) + "</code>",
                         "parameter"});
        }
        for (const auto& [name, value] : module.generics) {
            text += row(
                {"<code>" + html(name) + "</code>", "<code>" + html(value) + "</code>", "generic"});
        }
        text += tableEnd();
    }
    bool anyOverride = false;
    for (const Child& child : module.children)
        anyOverride = anyOverride || !child.overrides.empty();
    if (!anyOverride) return text;
    text += "<h3 id=\"overrides\">Overrides in instances</h3>\n";
    text += tableStart({"Instance", "Module", "Parameter", "Value"});
    for (const Child& child : module.children) {
        for (const ParamOverride& override : child.overrides) {
            text += row({"<code>" + html(child.displayName) + "</code>",
                         page.moduleLink(child.moduleName, child.moduleDisplayName),
                         "<code>" + html(override.displayName) + "</code>",
                         "<code>" + html(override.value) + "</code>"});
        }
    }
    return text + tableEnd();
}

std::string instanceSection(const PageContext& page) {
    const Module& module = page.input.module;
    std::string text = "<h2 id=\"instances\">Instances</h2>\n";
    if (module.children.empty()) return text + "<p class=\"missing\">No instances.</p>\n";
    text += tableStart({"Instance", "Module", "Connections", "Line"});
    for (const Child& child : module.children) {
        std::string connections;
        for (const Connection& connection : child.connections) {
            if (!connections.empty()) connections += "<br>";
            const std::string port =
                connection.portDisplay.empty() ? "" : html(connection.portDisplay) + ": ";
            connections += "<code>" + port + html(connection.signalDisplay) + "</code>";
        }
        text += row({"<code>" + html(child.displayName) + "</code>",
                     page.moduleLink(child.moduleName, child.moduleDisplayName), connections,
                     page.lineLink(child.line)});
    }
    return text + tableEnd();
}

std::string connectionSection(const PageContext& page) {
    const Module& module = page.input.module;
    std::string text = "<h2 id=\"connections\">Connections</h2>\n";
    if (module.nets.empty()) return text + "<p class=\"missing\">No nets.</p>\n";
    text += tableStart({"Net", "Line", "Use"});
    for (const auto& [name, net] : module.nets) {
        bool first = true;
        for (const Terminal& terminal : net.terminals) {
            const std::string use = kindText(module, terminal) +
                                    std::string(directionText(terminal.role)) +
                                    rangeText(terminal.msb, terminal.lsb);
            text += row({first ? "<code>" + html(name) + "</code>" : std::string(),
                         page.lineLink(terminal.line), html(use)});
            first = false;
        }
        if (first) text += row({"<code>" + html(name) + "</code>", "", ""});
    }
    return text + tableEnd();
}

std::string schematicSection(const PageContext& page) {
    const std::string& name = page.input.module.name;
    std::string text = "<h2 id=\"schematic\">Schematic</h2>\n";
    if (!page.input.schematic.drawn) {
        return text + "<p class=\"note\">" + html(page.input.schematic.note) + "</p>\n";
    }
    text += "<div class=\"picture\">\n" + inlineSvg(page.input.schematic.svg) + "</div>\n";
    text += "<p>" + link(page.input.names.schematicPicture(name), "The schematic as an SVG file") +
            "; instance blocks link to their modules.</p>\n";
    return text;
}

std::string transitionRows(const StateNode& state) {
    if (state.transitions.empty()) {
        return row(
            {"<code>" + html(state.name) + "</code>", "<span class=\"missing\">none</span>", ""});
    }
    std::string text;
    bool first = true;
    for (const Transition& transition : state.transitions) {
        const std::string condition = transition.condition.empty()
                                          ? "always"
                                          : "<code>" + html(transition.condition) + "</code>";
        const std::string target = transition.target.empty()
                                       ? "<span class=\"missing\">stays</span>"
                                       : "<code>" + html(transition.target) + "</code>";
        text += row(
            {first ? "<code>" + html(state.name) + "</code>" : std::string(), condition, target});
        first = false;
    }
    return text;
}

std::string stateMachineSection(const PageContext& page) {
    const Module& module = page.input.module;
    std::string text = "<h2 id=\"state-machines\">State machines</h2>\n";
    if (page.input.stateMachines.empty()) {
        return text + "<p class=\"missing\">No state machine was found.</p>\n";
    }
    for (const SiteStateMachine& entry : page.input.stateMachines) {
        text += "<h3 id=\"fsm-" + std::to_string(entry.line) + "\">State register <code>" +
                html(entry.machine.stateRegister) + "</code>, block at line " +
                page.lineLink(entry.line) + "</h3>\n";
        text += "<div class=\"picture\">\n" + inlineSvg(entry.picture.svg) + "</div>\n";
        text += "<p>" +
                link(page.input.names.stateMachinePicture(module.name, entry.line),
                     "The diagram as an SVG file") +
                "</p>\n";
        text += tableStart({"State", "Condition", "Target"});
        for (const StateNode& state : entry.machine.states) text += transitionRows(state);
        text += tableEnd();
    }
    return text;
}

std::string contents() {
    return "<p class=\"lead\">" + link("#summary", "Summary") + " &#183; " +
           link("#ports", "Ports") + " &#183; " + link("#parameters", "Parameters") + " &#183; " +
           link("#instances", "Instances") + " &#183; " + link("#schematic", "Schematic") +
           " &#183; " + link("#state-machines", "State machines") + " &#183; " +
           link("#connections", "Connections") + "</p>\n";
}

}  // namespace

std::string directionWord(int direction) {
    switch (direction) {
        case 0:
            return "input";
        case 1:
            return "output";
        case 2:
            return "inout";
        default:
            return "undeclared";
    }
}

std::string rangeWords(int msb, int lsb) {
    if (msb == -1 || lsb == -1) return "";
    if (msb == lsb) return "[" + std::to_string(msb) + "]";
    return "[" + std::to_string(msb) + ":" + std::to_string(lsb) + "]";
}

std::string buildModulePage(const ModulePageInput& input) {
    const Module& module = input.module;
    const std::string source = input.names.sourcePage(module.filePath);
    const PageContext page{input,
                           source.empty() ? "" : "../" + std::string(kSourceFolder) + "/" + source};
    std::string text =
        pageStart(module.displayName + " - " + input.projectName, input.projectName, "../");
    text += "<h1>" + html(module.displayName) + "</h1>\n";
    text +=
        "<p class=\"lead\">" +
        std::string(module.language == kVhdl ? "VHDL entity" : "Verilog module") + " in " +
        (page.sourcePage.empty() ? html(module.filePath) : link(page.sourcePage, module.filePath)) +
        "</p>\n";
    text += contents();
    text += summarySection(page);
    text += portSection(page);
    text += parameterSection(page);
    text += instanceSection(page);
    text += schematicSection(page);
    text += stateMachineSection(page);
    text += connectionSection(page);
    return text + pageEnd();
}

}  // namespace corvane
