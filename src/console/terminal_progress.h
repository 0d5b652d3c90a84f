// A one-line progress bar on a terminal, for the batch program: the bar, the
// percentage and the name of the file being analysed, redrawn in place.
#pragma once

#include <cstdio>
#include <string>

#include "platform/progress_sink.h"

namespace corvane {

class TerminalProgress final : public ProgressSink {
public:
    // Columns of the bar itself, and the longest file name shown beside it.
    static constexpr int kBarWidth = 30;
    static constexpr std::size_t kMaxLabel = 40;

    explicit TerminalProgress(std::FILE* out = stderr);

    // Whether `stream` is a terminal (the only place the bar is drawn).
    static bool isTerminal(std::FILE* stream);

    // Value 0 with the file name (the folder part dropped).
    void showProgressFile(const std::string& path) override;
    // 0 to 99 draw the bar; kChunkFinished hides it; other values are ignored.
    void setProgress(int percent) override;
    void hideProgress() override;

    // Erases a visible bar so other output can use the line; the next value draws it again.
    void clearLine();

    // The text of the bar for `percent` and `label`, without the carriage return.
    static std::string barText(int percent, const std::string& label);

private:
    void draw(int percent);

    std::FILE* out_;
    std::string label_;
    int shown_ = -1;  // the percentage on screen; -1 when the bar is hidden
};

}  // namespace corvane
