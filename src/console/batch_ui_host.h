// The UiHost of the batch program: message boxes go to standard error as
// "caption: text", dialogs are answered from the batch options or cancelled,
// and window, cursor and clipboard requests are dropped (there is no display).
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui_host.h"

namespace corvane {

// Preset answers for the dialogs a batch run may meet; an empty answer cancels.
struct BatchAnswers {
    // Boxes with more than an OK button: Cancel (No for a Yes/No box) unless set.
    std::optional<MessageResult> question;
    std::vector<std::string> openFiles;
    std::string saveFile;
    std::string folder;
    std::string projectName;  // given to the first New Project dialog only
};

class BatchUiHost final : public UiHost {
public:
    explicit BatchUiHost(std::FILE* messages = stderr, BatchAnswers answers = {});

    MessageResult messageBox(const MessageBoxRequest& request) override;
    FileDialogResult openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& title,
                                            const std::string& initialFolder) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
    std::optional<PrinterSettings> defaultPrinter() override { return std::nullopt; }
    std::optional<PrinterSettings> printSetupDialog(const PrinterSettings&) override {
        return std::nullopt;
    }
    bool printDialog(const PrinterSettings&) override { return false; }
    std::optional<std::string> newProjectDialog() override;
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
    std::FILE* messages_;
    BatchAnswers answers_;
    ConsolePlacement placement_;
};

}  // namespace corvane
