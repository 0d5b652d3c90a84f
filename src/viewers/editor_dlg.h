// The source viewer window object: one source file shown read-only with
// keyword colouring, a pointed line, foldable begin ... end regions, a
// search over the text, copying and printing. A desktop front end hosts it:
// it shows the text this object holds, forwards clicks, keys and timer
// ticks, and applies the colours and text changes it reports.
//
// Positions are byte offsets into text(), whose lines end in "\n". "Control
// lines" are the lines shown (folded lines removed), counted from 0;
// "source lines" are the file's lines, counted from 0 unless said otherwise.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/module_list.h"
#include "platform/canvas.h"
#include "platform/ui_host.h"
#include "project/settings_file.h"
#include "reports/text_printer.h"
#include "viewers/fold_regions.h"
#include "viewers/keyword_colouring.h"

namespace corvane {

// The caption of the message shown when a file cannot be opened.
inline constexpr const char* kCannotOpenFileCaption = "CORVANE cannot open this file.";

// Whether `path` names a file that can be opened for reading.
bool canOpenForReading(const std::string& path);

// The text of a source file as the viewer shows it: read as the front ends
// read it, with "\r\n" and lone "\r" line ends turned into "\n".
std::string viewerTextOf(std::string_view sourceText);

// The keyword language of `path`: the language of the first module whose
// file it is, else VHDL for the VHDL extensions and Verilog for any other.
KeywordLanguage keywordLanguageOf(const ModuleList& modules, const std::string& path);

// The "[-]" or "[+]" drawn beside a region's first line.
struct GutterMarker {
    int controlLine = 0;
    bool collapsed = false;
    bool operator==(const GutterMarker&) const = default;
};

// What a fold click did to the text, in the terms of the shown lines:
// either the `removedLines` lines after `afterControlLine` were deleted
// (the text from the end of that line to the end of the last removed line),
// or `insertedText` ("\n" before each line) was put at the end of that line.
struct FoldChange {
    int afterControlLine = 0;
    int removedLines = 0;
    std::string insertedText;
};

// A stretch of text with one colour, relative to its line's start.
struct ColourRun {
    std::size_t start = 0;
    std::size_t length = 0;
    Color color = 0;
    bool operator==(const ColourRun&) const = default;
};

struct TextSelection {
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const TextSelection&) const = default;
};

// The search dialog's combo box: the entries top first and the one selected.
struct SearchCombo {
    std::vector<std::string> entries;
    int selected = -1;
};

// What Next or Previous did: the match to select (none when nothing was
// searched or found), and a new search text to put at the top of the combo.
struct SearchOutcome {
    std::optional<TextSelection> match;
    std::optional<std::string> newComboEntry;
};

class CEditorDlg {
public:
    // A viewer of `path`; the text stays empty until load() or setText().
    // The viewer does not own `modules`, `settings` or `ui`.
    CEditorDlg(const ModuleList& modules, Settings& settings, UiHost& ui, std::string path);

    const std::string& path() const { return path_; }
    // "Source - " + path.
    std::string title() const { return "Source - " + path_; }

    // Reads the file, builds the fold regions and starts colouring from 0.
    // False, changing nothing, when the file cannot be opened.
    bool load();
    // The same for a text given directly.
    void setText(std::string_view sourceText);

    const std::string& text() const { return text_; }
    int controlLineCount() const { return static_cast<int>(lineStarts_.size()); }
    std::size_t lineStart(int controlLine) const;
    // The end of the line's text, before its "\n".
    std::size_t lineEnd(int controlLine) const;
    int controlLineAt(std::size_t offset) const;

    // Pointing at a line (1-based; lines below 1 point at line 1).
    void pointAt(int line);
    int pointedLine() const { return pointedLine_; }
    // Just before the pointed line's control line: the end of the line above it.
    std::size_t markerPosition() const { return markerPosition_; }
    // The control line the window scrolls to the top for the pointed line.
    int pointedControlLine() const;

    // Folding.
    const std::vector<FoldRegion>& foldRegions() const { return regions_; }
    std::vector<GutterMarker> gutterMarkers() const;
    int sourceLineOf(int controlLine) const;
    int controlLineOf(int sourceLine) const;
    // A gutter click beside `controlLine`: collapses or expands the region
    // starting there; nothing when no region starts there.
    std::optional<FoldChange> toggleFold(int controlLine);
    // "line " + the 1-based source line of the caret's control line.
    std::string statusText(int caretControlLine) const;

    // Colouring. Each step colours one chunk and returns the range whose
    // colours it set (nothing when colouring is finished). The step at
    // position 0 first makes the whole text black.
    std::optional<ColouringChunk> colouringStep();
    // Steps one after another until `budgetMicroseconds` have passed or the
    // colouring is finished; the union of the changed ranges.
    std::optional<ColouringChunk> colouringSlice(long budgetMicroseconds);
    bool colouringFinished() const { return colouringPosition_ < 0; }
    long colouringPosition() const { return colouringPosition_; }
    Color colourAt(std::size_t offset) const;
    std::vector<ColourRun> lineColours(int controlLine) const;
    KeywordLanguage language() const;

    // Search. openSearch fills the combo (newest search word first) and,
    // when text is selected, adds it to the search words and selects it.
    SearchCombo openSearch(const TextSelection& selection);
    // Next searches from the selection's end towards the end, Previous from
    // before the selection's start towards the top; nothing found says so.
    SearchOutcome searchNext(const std::string& what, const TextSelection& selection);
    SearchOutcome searchPrevious(const std::string& what, const TextSelection& selection);
    const std::string& lastSearched() const { return lastSearched_; }

    // Copy puts a non-empty selection on the clipboard.
    void copy(const TextSelection& selection);
    std::string selectedText(const TextSelection& selection) const;
    // The lines printed: tabs become four blanks.
    std::vector<std::string> printLines() const;
    // Prints the lines titled with the path, continuations from the left edge.
    void print(TextPrintJob& job) const;

    bool alive() const { return alive_; }
    void close() { alive_ = false; }

private:
    void rebuildLineStarts();
    std::optional<ColouringChunk> colouringStep(KeywordLanguage language);
    void colourRange(const ColourRange& range);
    SearchOutcome search(const std::string& what, const TextSelection& selection, bool forward);
    FoldChange collapse(FoldRegion& region);
    FoldChange expand(FoldRegion& region);
    void replaceText(std::size_t from, std::size_t to, std::string_view with);

    const ModuleList& modules_;
    Settings& settings_;
    UiHost& ui_;
    std::string path_;

    std::string text_;
    std::vector<Color> colours_;
    std::vector<std::size_t> lineStarts_;
    std::vector<FoldRegion> regions_;

    int pointedLine_ = 1;
    std::size_t markerPosition_ = 0;
    long colouringPosition_ = -1;
    CommentEndFinder commentEnds_;
    std::string lastSearched_;
    bool alive_ = true;
};

}  // namespace corvane
