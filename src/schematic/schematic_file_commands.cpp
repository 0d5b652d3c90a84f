#include "schematic/schematic_file_commands.h"

#include "schematic/schematic_file.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kFilter = "Schematic file(*.qsch)|*.qsch||";

FileDialogRequest fileRequest(const char* caption) {
    FileDialogRequest request;
    request.caption = caption;
    request.okText = "&OK";
    request.defaultExtension = "qsch";
    request.filter = kFilter;
    return request;
}

}  // namespace

std::string schematicWindowTitle(const Module& module) {
    return "Schematic - " + module.name + "(" + module.schematicPath + ")";
}

SchematicFileCommands::SchematicFileCommands(CSchematicDlg& window, UiHost& ui,
                                             SchematicWindowHooks& hooks,
                                             SchematicFileEvents& events)
    : window_(window), ui_(ui), hooks_(hooks), events_(events) {}

void SchematicFileCommands::message(const std::string& text, MessageIcon icon) {
    MessageBoxRequest request;
    request.caption = kCaption;
    request.text = text;
    request.icon = icon;
    ui_.messageBox(request);
}

void SchematicFileCommands::onOpen() {
    Module* module = window_.findModule();
    if (!module) return;
    const FileDialogResult chosen =
        ui_.openFileDialog(fileRequest("Please specify the target schematic file"));
    if (!chosen.accepted()) return;
    const std::string previous = module->schematicPath;
    module->schematicPath = chosen.paths.front();
    if (!readSchematicFile(window_)) {
        message("File open error.", MessageIcon::kExclamation);
        module->schematicPath = previous;
        return;
    }
    runPostLoadSequence(window_);
    hooks_.refreshMenuStates(window_);
    window_.highlightClocks();
    events_.clearSelection();
    modified_ = false;
    events_.markProjectModified();
    hooks_.repaint(window_);
}

void SchematicFileCommands::onSave() {
    Module* module = window_.findModule();
    if (!module || module->schematicPath.empty()) {
        onSaveAs();
        return;
    }
    writeSchematicFile(window_);  // a failed write is not reported
    events_.markProjectModified();
    modified_ = false;
}

void SchematicFileCommands::onSaveAs() {
    saveWithDialog("Please input the name of schematic file");
}

// The save dialog, then the write; false when the dialog was cancelled or the
// module is gone. A failed write is reported and the path restored.
bool SchematicFileCommands::saveWithDialog(const char* caption) {
    Module* module = window_.findModule();
    if (!module) {
        message("File save error. Internal error occurred.", MessageIcon::kExclamation);
        return false;
    }
    FileDialogRequest request = fileRequest(caption);
    request.proposedName = module->name;
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = ui_.saveFileDialog(request);
    if (!chosen) return false;
    const std::string previous = module->schematicPath;
    module->schematicPath = *chosen;
    if (!writeSchematicFile(window_)) {
        message("File save error.", MessageIcon::kExclamation);
        module->schematicPath = previous;
        return true;
    }
    modified_ = false;
    events_.markProjectModified();
    hooks_.updateTitle(window_);
    return true;
}

bool SchematicFileCommands::onClose() {
    if (!modified_) return true;
    const Module* module = window_.findModule();
    const std::string path = module ? module->schematicPath : std::string();
    MessageBoxRequest request;
    request.caption = kCaption;
    request.text = "Do you save schematic?\r\n\r\n" + path;
    request.icon = MessageIcon::kQuestion;
    request.buttons = MessageButtons::kYesNoCancel;
    const MessageResult answer = ui_.messageBox(request);
    if (answer == MessageResult::kCancel) return false;
    if (answer != MessageResult::kYes) return true;
    if (path.empty()) {
        // A cancelled dialog closes the window without saving.
        saveWithDialog("Please input the name of Schematic file");
        return true;
    }
    writeSchematicFile(window_);
    events_.markProjectModified();
    return true;
}

}  // namespace corvane
