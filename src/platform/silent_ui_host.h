// A UiHost with no display and no user: every message is kept (the last one
// can be read back), every dialog is cancelled, every question answered as a
// cancel, and window, cursor and clipboard requests are dropped. The batch
// exports build windows on it, and the batch program's own host starts from it.
#pragma once

#include <string>

#include "platform/ui_host.h"

namespace corvane {

// The answer of a message box whose user declines: OK for an OK-only box, No
// for a Yes/No box, Cancel otherwise.
MessageResult declinedAnswer(MessageButtons buttons);

class SilentUiHost : public UiHost {
public:
    // The text of the last message box, or "" when none was asked for.
    const std::string& lastMessage() const { return lastMessage_; }

    MessageResult messageBox(const MessageBoxRequest& request) override;
    FileDialogResult openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> browseFolder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
    std::optional<PrinterSettings> defaultPrinter() override { return std::nullopt; }
    std::optional<PrinterSettings> printSetupDialog(const PrinterSettings&) override {
        return std::nullopt;
    }
    bool printDialog(const PrinterSettings&) override { return false; }
    std::optional<std::string> newProjectDialog() override { return std::nullopt; }
    std::optional<std::string> selectModule(const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::vector<std::string>> selectModules(
        const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::pair<std::string, std::string>> selectModuleAndNet(
        const std::map<std::string, std::vector<std::string>>&) override {
        return std::nullopt;
    }
    bool openWithDesktop(const std::string&) override { return false; }

    void setClipboardText(const std::string&) override {}
    void setClipboardImage(const RasterImage&) override {}
    void openDocumentWindow(const DocumentRequest&) override {}
    void closeDocumentWindow(DocumentKind, const std::string&) override {}
    void closeAllDocumentWindows(DocumentKind) override {}
    void setWaitCursor(bool) override {}
    void setConsoleTitle(const std::string&) override {}
    // There is no console window: the placement is only kept.
    void placeConsole(const ConsolePlacement& placement) override { placement_ = placement; }
    ConsolePlacement consolePlacement() const override { return placement_; }
    void refreshHierarchyTree() override {}
    void regenerateSchematicWindows() override {}
    void rebuildNetWindows() override {}
    void setCommandText(const std::string&) override {}
    void scrollLogToEnd() override {}

private:
    std::string lastMessage_;
    ConsolePlacement placement_;
};

}  // namespace corvane
