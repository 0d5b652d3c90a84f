#include "console/batch_ui_host.h"

#include <utility>

namespace corvane {

namespace {

std::optional<std::string> answerOrCancel(const std::string& answer) {
    if (answer.empty()) return std::nullopt;
    return answer;
}

}  // namespace

BatchUiHost::BatchUiHost(std::FILE* messages, BatchAnswers answers)
    : messages_(messages), answers_(std::move(answers)) {}

MessageResult BatchUiHost::messageBox(const MessageBoxRequest& request) {
    // Keep the order of log output and messages when both go to one terminal or file.
    std::fflush(stdout);
    std::fprintf(messages_, "%s: %s\n", request.caption.c_str(), request.text.c_str());
    std::fflush(messages_);
    if (request.buttons == MessageButtons::kOk) return MessageResult::kOk;
    return answers_.question.value_or(declinedAnswer(request.buttons));
}

FileDialogResult BatchUiHost::openFileDialog(const FileDialogRequest&) {
    return FileDialogResult{answers_.openFiles};
}

std::optional<std::string> BatchUiHost::saveFileDialog(const FileDialogRequest&) {
    return answerOrCancel(answers_.saveFile);
}

std::optional<std::string> BatchUiHost::browseFolder(const std::string&, const std::string&) {
    return answerOrCancel(answers_.folder);
}

// Answered once: a refused name is not offered again, so the name checks cannot loop.
std::optional<std::string> BatchUiHost::newProjectDialog() {
    std::optional<std::string> answer = answerOrCancel(answers_.projectName);
    answers_.projectName.clear();
    return answer;
}

}  // namespace corvane
