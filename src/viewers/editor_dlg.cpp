// Loading, line bookkeeping, pointing, colouring, copying and printing of
// the source viewer; folding and search live in files of their own.
#include "viewers/editor_dlg.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "database/source_file_reader.h"

namespace corvane {

bool canOpenForReading(const std::string& path) {
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    return file.is_open();
}

std::string viewerTextOf(std::string_view sourceText) {
    std::string text;
    text.reserve(sourceText.size());
    for (std::size_t i = 0; i < sourceText.size(); ++i) {
        const char c = sourceText[i];
        if (c == '\r') {
            text += '\n';
            if (i + 1 < sourceText.size() && sourceText[i + 1] == '\n') {
                ++i;
            }
        } else {
            text += c;
        }
    }
    return text;
}

namespace {

bool hasVhdlExtension(const std::string& path) {
    for (const char* extension : {".vhd", ".vhdl", ".VHD", ".VHDL"}) {
        const std::string_view ext = extension;
        if (path.size() >= ext.size() && path.compare(path.size() - ext.size(), ext.size(), ext) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

KeywordLanguage keywordLanguageOf(const ModuleList& modules, const std::string& path) {
    for (const Module& module : modules) {
        if (module.filePath == path) {
            return module.language == kVhdl ? KeywordLanguage::kVhdl : KeywordLanguage::kVerilog;
        }
    }
    return hasVhdlExtension(path) ? KeywordLanguage::kVhdl : KeywordLanguage::kVerilog;
}

CEditorDlg::CEditorDlg(const ModuleList& modules, Settings& settings, UiHost& ui, std::string path)
    : modules_(modules), settings_(settings), ui_(ui), path_(std::move(path)) {
    rebuildLineStarts();
}

bool CEditorDlg::load() {
    if (!canOpenForReading(path_)) {
        return false;
    }
    setText(readSourceFile(path_));
    return true;
}

void CEditorDlg::setText(std::string_view sourceText) {
    text_ = viewerTextOf(sourceText);
    colours_.assign(text_.size(), 0);
    rebuildLineStarts();
    commentEnds_.reset();
    std::vector<std::string_view> lines;
    lines.reserve(lineStarts_.size());
    for (int line = 0; line < controlLineCount(); ++line) {
        lines.push_back(std::string_view(text_).substr(lineStart(line), lineEnd(line) - lineStart(line)));
    }
    regions_ = buildFoldRegions(lines);
    colouringPosition_ = 0;
    pointAt(pointedLine_);
}

void CEditorDlg::rebuildLineStarts() {
    lineStarts_.assign(1, 0);
    for (std::size_t at = text_.find('\n'); at != std::string::npos; at = text_.find('\n', at + 1)) {
        lineStarts_.push_back(at + 1);
    }
}

std::size_t CEditorDlg::lineStart(int controlLine) const {
    const int line = std::clamp(controlLine, 0, controlLineCount() - 1);
    return lineStarts_[static_cast<std::size_t>(line)];
}

std::size_t CEditorDlg::lineEnd(int controlLine) const {
    const int line = std::clamp(controlLine, 0, controlLineCount() - 1);
    return line + 1 < controlLineCount() ? lineStarts_[static_cast<std::size_t>(line) + 1] - 1
                                         : text_.size();
}

int CEditorDlg::controlLineAt(std::size_t offset) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    return static_cast<int>(after - lineStarts_.begin()) - 1;
}

void CEditorDlg::pointAt(int line) {
    pointedLine_ = std::max(line, 1);
    markerPosition_ = lineEnd(pointedControlLine());
}

int CEditorDlg::pointedControlLine() const {
    return std::min(controlLineOf(pointedLine_ - 1), controlLineCount() - 1);
}

KeywordLanguage CEditorDlg::language() const {
    return keywordLanguageOf(modules_, path_);
}

std::optional<ColouringChunk> CEditorDlg::colouringStep() {
    return colouringStep(language());
}

std::optional<ColouringChunk> CEditorDlg::colouringStep(KeywordLanguage lang) {
    if (colouringPosition_ < 0) {
        return std::nullopt;
    }
    const auto position = static_cast<std::size_t>(colouringPosition_);
    const ColouringChunk chunk = colouringChunk(text_, position);
    ColouringChunk changed = chunk;
    if (position == 0) {
        // Colouring starts over: everything after the chunk is black until
        // later steps reach it, so those steps report it as they go.
        std::fill(colours_.begin(), colours_.end(), Color{0});
    }
    const auto& list = lang == KeywordLanguage::kVhdl ? settings_.vhdlWords : settings_.verilogWords;
    for (const ColourRange& range : colourChunk(text_, chunk, list, lang, commentEnds_)) {
        colourRange(range);
        changed.end = std::max(changed.end, range.end);
    }
    colouringPosition_ = chunk.end >= text_.size() ? -1 : static_cast<long>(chunk.end);
    return changed;
}

// The module list is searched for the language once per slice, not per step.
std::optional<ColouringChunk> CEditorDlg::colouringSlice(long budgetMicroseconds) {
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::microseconds(budgetMicroseconds);
    const KeywordLanguage lang = language();
    std::optional<ColouringChunk> changed;
    while (!colouringFinished()) {
        const auto step = colouringStep(lang);
        if (step) {
            changed = changed ? ColouringChunk{std::min(changed->start, step->start),
                                               std::max(changed->end, step->end)}
                              : *step;
        }
        if (Clock::now() >= until) {
            break;
        }
    }
    return changed;
}

void CEditorDlg::colourRange(const ColourRange& range) {
    const std::size_t end = std::min(range.end, colours_.size());
    for (std::size_t at = range.start; at < end; ++at) {
        colours_[at] = range.color;
    }
}

Color CEditorDlg::colourAt(std::size_t offset) const {
    return offset < colours_.size() ? colours_[offset] : Color{0};
}

std::vector<ColourRun> CEditorDlg::lineColours(int controlLine) const {
    std::vector<ColourRun> runs;
    const std::size_t start = lineStart(controlLine);
    const std::size_t end = lineEnd(controlLine);
    for (std::size_t at = start; at < end;) {
        std::size_t next = at + 1;
        while (next < end && colours_[next] == colours_[at]) {
            ++next;
        }
        runs.push_back({at - start, next - at, colours_[at]});
        at = next;
    }
    return runs;
}

std::string CEditorDlg::selectedText(const TextSelection& selection) const {
    const std::size_t start = std::min(selection.start, text_.size());
    const std::size_t end = std::clamp(selection.end, start, text_.size());
    return text_.substr(start, end - start);
}

void CEditorDlg::copy(const TextSelection& selection) {
    const std::string text = selectedText(selection);
    if (!text.empty()) {
        ui_.setClipboardText(text);
    }
}

void CEditorDlg::print(TextPrintJob& job) const {
    printText(job, path_, printLines(), false);
}

std::vector<std::string> CEditorDlg::printLines() const {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text_) {
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        } else if (c == '\t') {
            line += "    ";
        } else {
            line += c;
        }
    }
    lines.push_back(std::move(line));
    return lines;
}

}  // namespace corvane
