// The source viewer window object: loading, pointing, folding with the
// status line, colouring in steps, search with its messages, copy, print.
#include "viewers/editor_dlg.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "platform/recording_canvas.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x008000;

KeywordEntry entry(const std::string& word, Color color) {
    return {word, static_cast<int>(word.size()), static_cast<int>(color)};
}

// 25 numbered lines with `begin` on line 10 and `end` on line 20 (1-based).
std::string foldText() {
    std::string text;
    for (int line = 1; line <= 25; ++line) {
        if (line == 10) {
            text += "always @(posedge clk) begin\r\n";
        } else if (line == 20) {
            text += "end\r\n";
        } else {
            text += "x" + std::to_string(line) + " = 1;\r\n";
        }
    }
    return text;
}

class Viewer : public ::testing::Test {
protected:
    CEditorDlg& open(const std::string& text, const std::string& path = "a.v") {
        viewer_ = std::make_unique<CEditorDlg>(modules, settings, ui, path);
        viewer_->setText(text);
        return *viewer_;
    }
    static void colourCompletely(CEditorDlg& viewer) {
        while (viewer.colouringStep()) {
        }
    }
    // The byte offset of the `n`th occurrence (from 0) of `what`.
    static std::size_t nth(const std::string& text, const std::string& what, int n) {
        std::size_t at = text.find(what);
        while (n-- > 0) at = text.find(what, at + 1);
        return at;
    }

    ModuleList modules;
    Settings settings;
    ScriptedUiHost ui;
    std::unique_ptr<CEditorDlg> viewer_;
};

TEST_F(Viewer, FoldHidesTheRegionAndTheStatusLineCountsThroughIt) {
    CEditorDlg& viewer = open(foldText());
    ASSERT_EQ(viewer.foldRegions().size(), 1u);
    EXPECT_EQ(viewer.gutterMarkers(), (std::vector<GutterMarker>{{9, false}}));

    const auto change = viewer.toggleFold(9);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->afterControlLine, 9);
    EXPECT_EQ(change->removedLines, 10);  // lines 11 to 20
    EXPECT_EQ(viewer.gutterMarkers(), (std::vector<GutterMarker>{{9, true}}));
    EXPECT_EQ(viewer.controlLineCount(), 26 - 10);
    EXPECT_EQ(viewer.statusText(9), "line 10");
    EXPECT_EQ(viewer.statusText(10), "line 21");
    EXPECT_EQ(viewer.text().substr(viewer.lineStart(10), 3), "x21");

    const auto back = viewer.toggleFold(9);
    ASSERT_TRUE(back);
    EXPECT_EQ(viewer.text(), viewerTextOf(foldText()));
    EXPECT_EQ(viewer.statusText(10), "line 11");
    EXPECT_EQ(viewer.colouringPosition(), static_cast<long>(viewer.lineStart(9)))
        << "expanding colours the region again";
}

TEST_F(Viewer, ClicksBesideLinesWithoutARegionChangeNothing) {
    CEditorDlg& viewer = open(foldText());
    for (const int line : {-1, 0, 8, 10, 24, 25, 1000}) {
        EXPECT_FALSE(viewer.toggleFold(line)) << line;
    }
    EXPECT_EQ(viewer.text(), viewerTextOf(foldText()));
}

TEST_F(Viewer, CollapsingAnOuterRegionKeepsTheInnerFoldsLines) {
    const std::string text = "a\nbegin\nb\nbegin\nc\nd\nend\ne\nend\nf";
    CEditorDlg& viewer = open(text);
    ASSERT_EQ(viewer.foldRegions().size(), 2u);
    ASSERT_TRUE(viewer.toggleFold(3));  // inner: hides c, d, end
    EXPECT_EQ(viewer.gutterMarkers(), (std::vector<GutterMarker>{{1, false}, {3, true}}));
    ASSERT_TRUE(viewer.toggleFold(1));  // outer: hides everything to its end
    EXPECT_EQ(viewer.text(), "a\nbegin\nf");
    EXPECT_EQ(viewer.gutterMarkers(), (std::vector<GutterMarker>{{1, true}}));
    EXPECT_EQ(viewer.statusText(2), "line 10");
    ASSERT_TRUE(viewer.toggleFold(1));
    EXPECT_EQ(viewer.text(), text) << "the inner region comes back expanded";
    EXPECT_TRUE(viewer.foldRegions()[1].expanded);
}

TEST_F(Viewer, FoldReachingTheLastLineWithoutALineFeed) {
    const std::string text = "a\nbegin\nb\nc";  // the region runs to the end of the text
    CEditorDlg& viewer = open(text);
    ASSERT_TRUE(viewer.toggleFold(1));
    EXPECT_EQ(viewer.text(), "a\nbegin");
    ASSERT_TRUE(viewer.toggleFold(1));
    EXPECT_EQ(viewer.text(), text);
}

TEST_F(Viewer, UnbalancedNestingNeverFoldsPastTheText) {
    CEditorDlg& viewer = open("begin\nbegin\nx\nend\nend\nend\nend\nbegin\n");
    for (int round = 0; round < 2; ++round) {
        for (int line = 0; line < viewer.controlLineCount(); ++line) {
            viewer.toggleFold(line);
        }
    }
    EXPECT_LE(viewer.markerPosition(), viewer.text().size());
}

TEST_F(Viewer, PointingMarksTheEndOfTheLineAboveAndFollowsFolds) {
    CEditorDlg& viewer = open(foldText());
    viewer.pointAt(3);
    EXPECT_EQ(viewer.pointedControlLine(), 2);
    EXPECT_EQ(viewer.markerPosition(), viewer.lineStart(3) - 1);
    viewer.pointAt(-5);
    EXPECT_EQ(viewer.pointedLine(), 1);
    viewer.pointAt(22);
    viewer.toggleFold(9);
    EXPECT_EQ(viewer.pointedControlLine(), 11);
    viewer.pointAt(15);  // hidden inside the fold: shown at the fold's line
    EXPECT_EQ(viewer.pointedControlLine(), 9);
    viewer.pointAt(5000);
    EXPECT_EQ(viewer.markerPosition(), viewer.text().size());
}

TEST_F(Viewer, KeywordListOrderDecidesInsideComments) {
    const std::string text = "module m; // module\nendmodule\n";
    const std::size_t inComment = nth(text, "module", 1);
    settings.verilogWords = {entry("module", kBlue), entry("//", kGreen)};
    CEditorDlg& viewer = open(text);
    colourCompletely(viewer);
    EXPECT_EQ(viewer.colourAt(0), kBlue);
    EXPECT_EQ(viewer.colourAt(inComment), kGreen);

    settings.verilogWords = {entry("//", kGreen), entry("module", kBlue)};
    CEditorDlg& reversed = open(text);
    colourCompletely(reversed);
    EXPECT_EQ(reversed.colourAt(inComment), kBlue);
    EXPECT_EQ(reversed.colourAt(text.find("endmodule")), 0u);
}

TEST_F(Viewer, OnlyTheWholeWordRegIsColoured) {
    settings.verilogWords = {entry("reg", kBlue)};
    const std::string text = "reg_a <= 1; reg b;\n";
    CEditorDlg& viewer = open(text);
    colourCompletely(viewer);
    EXPECT_EQ(viewer.colourAt(0), 0u);
    EXPECT_EQ(viewer.colourAt(text.find("reg b")), kBlue);
    EXPECT_EQ(viewer.lineColours(0),
              (std::vector<ColourRun>{{0, 12, 0}, {12, 3, kBlue}, {15, 3, 0}}));
}

TEST_F(Viewer, TheKeywordListFollowsTheModuleOrElseTheExtension) {
    settings.verilogWords = {entry("wire", kBlue)};
    settings.vhdlWords = {entry("wire", kGreen)};
    struct Case {
        std::string path;
        int moduleLanguage;  // -1: no module has the file
        Color expected;
    };
    const std::vector<Case> cases = {
        {"a.v", -1, kBlue},    {"a.vhd", -1, kGreen}, {"a.VHDL", -1, kGreen},
        {"a.txt", -1, kBlue},  {"b.v", kVhdl, kGreen}, {"b.vhd", kVerilog, kBlue},
    };
    for (const Case& c : cases) {
        modules.clear();
        if (c.moduleLanguage >= 0) {
            Module& module = modules.append();
            module.filePath = c.path;
            module.language = c.moduleLanguage;
        }
        CEditorDlg& viewer = open("wire w;\n", c.path);
        colourCompletely(viewer);
        EXPECT_EQ(viewer.colourAt(0), c.expected) << c.path;
    }
}

TEST_F(Viewer, ColouringRunsInStepsUntilTheEndAndRestartsFromBlack) {
    settings.verilogWords = {entry("wire", kBlue)};
    std::string text;
    for (int i = 0; i < 100; ++i) text += "wire w" + std::to_string(i) + ";\n";
    CEditorDlg& viewer = open(text);
    EXPECT_EQ(viewer.colouringPosition(), 0);
    int steps = 0;
    while (viewer.colouringStep()) ++steps;
    EXPECT_EQ(steps, 51) << "two lines a step, then the empty line after the last line feed";
    EXPECT_TRUE(viewer.colouringFinished());
    EXPECT_EQ(viewer.colourAt(text.rfind("wire")), kBlue);
    EXPECT_FALSE(viewer.colouringStep());

    settings.verilogWords.clear();
    viewer.setText(text);
    ASSERT_TRUE(viewer.colouringStep());
    EXPECT_EQ(viewer.colourAt(text.rfind("wire")), 0u) << "the first step blackens the whole text";
}

TEST_F(Viewer, AnUnclosedBlockCommentDoesNotSlowTheStepsDown) {
    settings.verilogWords = {entry("/*", kGreen)};
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "/* x\n";
    CEditorDlg& viewer = open(text);
    viewer.colouringSlice(60'000'000);
    EXPECT_TRUE(viewer.colouringFinished());
    EXPECT_EQ(viewer.colourAt(text.size() - 2), kGreen);
}

TEST_F(Viewer, SearchFindsForwardsAndBackwardsAndSaysWhereItStopped) {
    CEditorDlg& viewer = open("xx abc yy\nzz\n");
    const TextSelection caret{11, 11};
    const SearchOutcome next = viewer.searchNext("abc", caret);
    EXPECT_FALSE(next.match);
    EXPECT_EQ(next.newComboEntry, "abc");
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "abc : CORVANE searched until the end.");
    EXPECT_EQ(ui.messageBoxes[0].caption, "");

    const SearchOutcome previous = viewer.searchPrevious("abc", caret);
    EXPECT_EQ(previous.match, (TextSelection{3, 6}));
    EXPECT_FALSE(previous.newComboEntry) << "the same text is not added twice";

    EXPECT_FALSE(viewer.searchPrevious("abc", {3, 6}).match) << "the selected match is skipped";
    EXPECT_EQ(ui.messageBoxes.back().text, "abc : CORVANE searched until the top.");
    EXPECT_EQ(viewer.searchNext("abc", {0, 0}).match, (TextSelection{3, 6}));
    EXPECT_EQ(viewer.searchNext("ABC", {0, 0}).match, std::nullopt) << "case-sensitive";

    const std::size_t messages = ui.messageBoxes.size();
    EXPECT_FALSE(viewer.searchNext("", {0, 0}).match);
    EXPECT_EQ(ui.messageBoxes.size(), messages) << "empty text searches nothing";
    EXPECT_EQ(settings.searchWords, (std::vector<std::string>{"abc", "ABC"}));
}

TEST_F(Viewer, TheSearchComboListsNewestFirstAndTakesTheSelection) {
    settings.searchWords = {"old", "new"};
    CEditorDlg& viewer = open("one two\n");
    const SearchCombo plain = viewer.openSearch({2, 2});
    EXPECT_EQ(plain.entries, (std::vector<std::string>{"new", "old"}));
    EXPECT_EQ(plain.selected, 0);
    const SearchCombo withSelection = viewer.openSearch({4, 7});
    EXPECT_EQ(withSelection.entries, (std::vector<std::string>{"two", "new", "old"}));
    EXPECT_EQ(settings.searchWords.back(), "two");

    settings.searchWords.clear();
    EXPECT_EQ(viewer.openSearch({0, 0}).selected, -1);
}

TEST_F(Viewer, CopyTakesOnlyANonEmptySelection) {
    CEditorDlg& viewer = open("abc\ndef\n");
    viewer.copy({2, 2});
    EXPECT_TRUE(ui.callsNamed("setClipboardText").empty());
    viewer.copy({2, 5});
    EXPECT_EQ(ui.clipboardText, "c\nd");
    viewer.copy({6, 999});
    EXPECT_EQ(ui.clipboardText, "f\n");
}

TEST_F(Viewer, PrintedLinesHaveTabsAsFourBlanks) {
    CEditorDlg& viewer = open("a\tb\r\n\r\nc");
    EXPECT_EQ(viewer.printLines(), (std::vector<std::string>{"a    b", "", "c"}));
}

// Records the pages a print job draws.
class RecordingPrinters : public PrinterOpener {
public:
    class Device : public PrinterDevice {
    public:
        explicit Device(RecordingPrinters& owner) : owner_(owner) {}
        PageMetrics pageMetrics() const override { return {2100, 2970, 210, 297}; }
        bool startDocument(const std::string& name) override {
            owner_.documents.push_back(name);
            return true;
        }
        void endDocument() override {}
        bool startPage() override {
            owner_.pages.emplace_back();
            return true;
        }
        void endPage() override {}
        Canvas& canvas() override { return owner_.pages.back(); }

    private:
        RecordingPrinters& owner_;
    };
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings&) override {
        return std::make_unique<Device>(*this);
    }
    std::vector<std::string> documents;
    std::deque<RecordingCanvas> pages;
};

TEST_F(Viewer, PrintingTitlesThePagesWithThePathAndPrintsTheShownText) {
    CEditorDlg& viewer = open("a\tb\nbegin\nhidden\nend\n", "/designs/a.v");
    viewer.toggleFold(1);
    ui.defaultPrinterAnswer = PrinterSettings{true, "printer", {}};
    ui.printAnswers.push_back(true);
    PrinterSettings printer;
    const PageMargins margins;
    RecordingPrinters printers;
    TextPrintJob job{ui, printer, margins, printers, std::tm{}, "Courier New"};
    viewer.print(job);
    EXPECT_EQ(printers.documents, std::vector<std::string>{"/designs/a.v"});
    ASSERT_EQ(printers.pages.size(), 1u);
    const auto drawing = printers.pages[0].drawing();
    EXPECT_EQ(textCalls(drawing, "/designs/a.v").size(), 1u);
    EXPECT_EQ(textCalls(drawing, "a    b").size(), 1u);
    EXPECT_TRUE(textCalls(drawing, "hidden").empty()) << "folded lines are not in the text";
}

TEST_F(Viewer, LoadReadsAsTheFrontEndsAndRefusesWhatCannotBeOpened) {
    testing::TempDir dir;
    CEditorDlg viewer(modules, settings, ui, dir.write("t.v", "module m;\r\nendmodule\r\n"));
    ASSERT_TRUE(viewer.load());
    EXPECT_EQ(viewer.text(), "module m;\nendmodule\n");
    EXPECT_EQ(viewer.title(), "Source - " + viewer.path());

    for (const std::string& path : {dir.path() + "/missing.v", dir.path(), std::string()}) {
        CEditorDlg missing(modules, settings, ui, path);
        EXPECT_FALSE(missing.load()) << path;
        EXPECT_FALSE(canOpenForReading(path));
    }

    CEditorDlg binary(modules, settings, ui, dir.write("b.v", std::string("ab\0\xff\xfe", 5)));
    EXPECT_TRUE(binary.load());
    EXPECT_EQ(binary.controlLineCount(), 1);
}

TEST_F(Viewer, ShiftJisTextIsShownAsUtf8) {
    CEditorDlg viewer(modules, settings, ui, testing::fixturePath("shift_jis.v"));
    ASSERT_TRUE(viewer.load());
    EXPECT_NE(viewer.text().find("module"), std::string::npos);
}

}  // namespace
}  // namespace corvane
