// The UiHost of the batch program: message boxes go to standard error as
// "caption: text", dialogs are answered from the batch options or cancelled,
// and window, cursor and clipboard requests are dropped as the silent host
// drops them (there is no display).
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/silent_ui_host.h"

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

class BatchUiHost final : public SilentUiHost {
public:
    explicit BatchUiHost(std::FILE* messages = stderr, BatchAnswers answers = {});

    MessageResult messageBox(const MessageBoxRequest& request) override;
    FileDialogResult openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& title,
                                            const std::string& initialFolder) override;
    std::optional<std::string> newProjectDialog() override;

private:
    std::FILE* messages_;
    BatchAnswers answers_;
};

}  // namespace corvane
