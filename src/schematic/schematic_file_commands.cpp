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

SchematicFileCommands::SchematicFileCommands(CSchematicDlg& window, UiHost& ui)
    : window_(window), ui_(ui) {}

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
    window_.hooks().refreshMenuStates(window_);
    window_.highlightClocks();
    window_.clearSelection();
    window_.setModified(false);
    window_.hooks().markProjectModified(window_);
    window_.hooks().repaint(window_);
}

void SchematicFileCommands::onSave() {
    Module* module = window_.findModule();
    if (!module || module->schematicPath.empty()) {
        onSaveAs();
        return;
    }
    if (writeAtPath()) window_.setModified(false);
}

bool SchematicFileCommands::writeAtPath() {
    if (!writeSchematicFile(window_)) {
        message("File save error.", MessageIcon::kExclamation);
        return false;
    }
    window_.hooks().markProjectModified(window_);
    return true;
}

void SchematicFileCommands::onSaveAs() {
    saveWithDialog("Please input the name of schematic file");
}

// The save dialog, then the write. A failed write is reported and the path
// restored.
SchematicFileCommands::SaveOutcome SchematicFileCommands::saveWithDialog(const char* caption) {
    Module* module = window_.findModule();
    if (!module) {
        message("File save error. Internal error occurred.", MessageIcon::kExclamation);
        return SaveOutcome::kFailed;
    }
    FileDialogRequest request = fileRequest(caption);
    request.proposedName = module->name;
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = ui_.saveFileDialog(request);
    if (!chosen) return SaveOutcome::kCancelled;
    const std::string previous = module->schematicPath;
    module->schematicPath = *chosen;
    if (!writeSchematicFile(window_)) {
        message("File save error.", MessageIcon::kExclamation);
        module->schematicPath = previous;
        return SaveOutcome::kFailed;
    }
    window_.setModified(false);
    window_.hooks().markProjectModified(window_);
    window_.hooks().updateTitle(window_);
    return SaveOutcome::kWritten;
}

bool SchematicFileCommands::onClose() {
    const Module* module = window_.findModule();
    // Without its module there is nothing the window could save.
    if (!window_.modified() || module == nullptr) return true;
    const std::string path = module->schematicPath;
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
        return saveWithDialog("Please input the name of Schematic file") != SaveOutcome::kFailed;
    }
    return writeAtPath();
}

}  // namespace corvane
