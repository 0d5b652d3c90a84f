// Arbitrary bytes as console command lines and as batch program arguments.
// Paths are kept inside an empty scratch folder ("/" and "." are replaced),
// so a fuzzed "analyzefolder" cannot walk the machine's file system.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "console/batch_command_line.h"
#include "console/controller.h"
#include "platform/progress_sink.h"
#include "platform/silent_ui_host.h"

namespace {

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == separator) {
            pieces.emplace_back();
        } else {
            pieces.back().push_back(c);
        }
    }
    return pieces;
}

void enterScratchFolder() {
    static const bool entered = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("corvane-fuzz-console-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        return true;
    }();
    (void)entered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    enterScratchFolder();
    std::string text(reinterpret_cast<const char*>(data), size);
    for (char& c : text) {
        if (c == '/' || c == '.') c = '_';
    }
    corvane::parseBatchCommandLine(splitAt(text, '\0'));

    corvane::SilentUiHost ui;
    corvane::NullProgressSink progress;
    corvane::CMorvelDlg controller(ui, progress);
    for (const std::string& line : splitAt(text, '\n')) controller.enterCommandLine(line);
    for (int i = 0; i < 3; ++i) controller.historyUp();
    controller.historyDown();
    return 0;
}
