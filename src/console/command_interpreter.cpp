#include "console/command_interpreter.h"

#include <array>

#include "console/controller.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

using Fields = std::vector<std::string>;

void tooShort(CMorvelDlg& controller, std::string_view usage) {
    controller.log().logPlainError("its command is too short. " + std::string(usage) + "\r\n");
}

void runRev(CMorvelDlg& controller, const Fields&) {
    controller.log().appendLog("Revision 8\r\n");
}

void runAnalyze(CMorvelDlg& controller, const Fields& fields) {
    if (fields.size() < 2) return tooShort(controller, "analyze,[path_of_filename]");
    const std::string& path = fields[1];
    if (!controller.analyseFile(path)) {
        controller.log().logPlainError(path + " : Corvane cannot analyze this file.(0)\r\n");
        controller.noteUnanalysablePath();
        return;
    }
    controller.runChildPortPass();
    controller.refreshTitle();
    controller.refreshHierarchyTree();
    const Module& newest = controller.modules().back();
    controller.writeSummary(newest);
    controller.setTargetModule(newest.name);
    controller.refreshDocumentWindows();
}

void runEdit(CMorvelDlg& controller, const Fields& fields) {
    if (fields.size() < 2) return tooShort(controller, "edit,[path_of_filename] <,pointing line>");
    int line = fields.size() > 2 ? leadingInt(fields[2]) : 1;
    if (line < 1) line = 1;
    controller.openSourceViewer(fields[1], line);
}

void runTarget(CMorvelDlg& controller, const Fields& fields) {
    if (fields.size() < 2) return tooShort(controller, "target,[modulename]");
    if (controller.findModuleExact(fields[1]) == nullptr) {
        controller.log().logPlainError("Module \"" + fields[1] + "\" is unknown.\r\n");
        return;
    }
    controller.setTargetModule(fields[1]);
}

void runSummary(CMorvelDlg& controller, const Fields&) {
    const std::string& target = controller.targetModule();
    if (target.empty()) return;
    if (const Module* module = controller.findModuleExact(target)) controller.writeSummary(*module);
}

void runList(CMorvelDlg& controller, const Fields&) {
    controller.writeModuleList();
}

void runClearAll(CMorvelDlg& controller, const Fields&) {
    controller.clearAllModules();
}

void runClear(CMorvelDlg& controller, const Fields&) {
    const std::string target = controller.targetModule();
    if (target.empty()) return;
    if (controller.removeModule(target)) controller.setTargetModule("");
    controller.refreshTitle();
    controller.refreshHierarchyTree();
}

void runAnalyzeFolder(CMorvelDlg& controller, const Fields& fields) {
    if (fields.size() < 2) return tooShort(controller, "analyzefolder,[path_of_folder]");
    controller.analyseFolder(fields[1]);
}

void runHierarchy(CMorvelDlg& controller, const Fields&) {
    controller.writeHierarchy();
}

void runConnection(CMorvelDlg& controller, const Fields&) {
    if (!controller.targetModule().empty()) controller.writeConnection(controller.targetModule());
}

void runNet(CMorvelDlg& controller, const Fields& fields) {
    const std::string target = controller.targetModule();
    if (target.empty()) return;
    if (fields.size() < 2) return tooShort(controller, "net,[Netname]");
    controller.writeNet(target, fields[1]);
    // The net report ends by showing a fresh prompt in the transcript.
    if (controller.findModuleExact(target) != nullptr) controller.updatePrompt();
}

struct Command {
    std::string_view name;
    void (*run)(CMorvelDlg&, const Fields&);
};

// Tried in this order; names are matched exactly and case-sensitively.
constexpr std::array<Command, 13> kCommands = {{
    {"rev", runRev},
    {"analyze", runAnalyze},
    {"edit", runEdit},
    {"target", runTarget},
    {"summary", runSummary},
    {"list", runList},
    {"clearall", runClearAll},
    {"clear", runClear},
    {"analyzefolder", runAnalyzeFolder},
    {"analyzedir", runAnalyzeFolder},
    {"hierarchy", runHierarchy},
    {"connection", runConnection},
    {"net", runNet},
}};

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> fields;
    for (std::string& field : splitAll(trimBlanks(line), ",")) {
        if (!field.empty()) fields.push_back(std::move(field));
    }
    return fields;
}

void executeCommandLine(CMorvelDlg& controller, std::string_view line) {
    const Fields fields = splitCommandLine(line);
    if (fields.empty()) return;
    for (const Command& command : kCommands) {
        if (fields.front() == command.name) {
            command.run(controller, fields);
            return;
        }
    }
    controller.log().appendLog("Command not found.\r\n");
}

}  // namespace corvane
