#include "console/terminal_progress.h"

#include <unistd.h>

#include "console/folder_walk.h"

namespace corvane {

namespace {

// The file name as shown: control characters replaced, long names cut at a
// character boundary.
std::string labelOf(const std::string& path) {
    std::string label = fileNameOfPath(path);
    for (char& c : label) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) c = '?';
    }
    if (label.size() <= TerminalProgress::kMaxLabel) return label;
    std::size_t cut = TerminalProgress::kMaxLabel - 3;
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80) --cut;
    return label.substr(0, cut) + "...";
}

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* out) : out_(out) {}

bool TerminalProgress::isTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

void TerminalProgress::showProgressFile(const std::string& path) {
    label_ = labelOf(path);
    shown_ = -1;
    draw(0);
}

void TerminalProgress::setProgress(int percent) {
    if (percent == kChunkFinished) {
        hideProgress();
    } else if (percent >= 0 && percent <= 99 && percent != shown_) {
        draw(percent);
    }
}

void TerminalProgress::hideProgress() {
    clearLine();
    label_.clear();
}

void TerminalProgress::clearLine() {
    if (shown_ < 0) return;
    std::fputs("\r\x1b[K", out_);
    std::fflush(out_);
    shown_ = -1;
}

std::string TerminalProgress::barText(int percent, const std::string& label) {
    const int filled = percent * kBarWidth / 100;
    std::string text = "[";
    text.append(static_cast<std::size_t>(filled), '#');
    text.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    text += "] ";
    if (percent < 10) text += ' ';
    text += std::to_string(percent) + "% " + label;
    return text;
}

void TerminalProgress::draw(int percent) {
    std::fputs(("\r" + barText(percent, label_) + "\x1b[K").c_str(), out_);
    std::fflush(out_);
    shown_ = percent;
}

}  // namespace corvane
