#include "reports/text_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "support/scripted_ui_host.h"

namespace corvane {
namespace {

// An A4 page at 10 pixels per millimetre: the unit (4 mm) is 40 pixels,
// margins of 10 mm are 100 pixels, a column of the 40-pixel font is 21
// pixels, so 86 columns fit the printable width of 1820 pixels and 65 lines
// the printable height of 2610 pixels.
class FakePrinter final : public PrinterDevice {
public:
    PageMetrics pageMetrics() const override { return {2100, 2970, 210, 297}; }
    bool startDocument(const std::string& name) override {
        events.push_back("doc " + name);
        return acceptsJobs;
    }
    void endDocument() override { events.push_back("end doc"); }
    bool startPage() override {
        events.push_back("page");
        pages.emplace_back();
        return true;
    }
    void endPage() override { events.push_back("end page"); }
    Canvas& canvas() override { return pages.back(); }

    bool acceptsJobs = true;
    std::vector<std::string> events;
    std::vector<RecordingCanvas> pages;
};

class ForwardingPrinter final : public PrinterDevice {
public:
    explicit ForwardingPrinter(FakePrinter& printer) : printer_(printer) {}
    PageMetrics pageMetrics() const override { return printer_.pageMetrics(); }
    bool startDocument(const std::string& name) override { return printer_.startDocument(name); }
    void endDocument() override { printer_.endDocument(); }
    bool startPage() override { return printer_.startPage(); }
    void endPage() override { printer_.endPage(); }
    Canvas& canvas() override { return printer_.canvas(); }

private:
    FakePrinter& printer_;
};

class FakeOpener final : public PrinterOpener {
public:
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& settings) override {
        openedWith = settings.printerName;
        if (!available) return nullptr;
        return std::make_unique<ForwardingPrinter>(printer);
    }
    PrinterSettings chosenSettings(const PrinterSettings& asked) override {
        PrinterSettings chosen = asked;
        if (!chosenName.empty()) chosen.printerName = chosenName;
        return chosen;
    }

    bool available = true;
    std::string chosenName;
    std::string openedWith;
    FakePrinter printer;
};

// The text calls of a page with their positions.
struct PlacedText {
    int x;
    int y;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

std::vector<PlacedText> textsOf(const RecordingCanvas& page) {
    std::vector<PlacedText> texts;
    for (const CanvasCall& call : page.calls()) {
        if (call.op == CanvasOp::kText)
            texts.push_back({call.points[0].x, call.points[0].y, call.text});
    }
    return texts;
}

// The body lines of a page: texts drawn at the body's left edge.
std::vector<std::string> bodyOf(const RecordingCanvas& page) {
    std::vector<std::string> body;
    for (const PlacedText& text : textsOf(page)) {
        if (text.x == 140) body.push_back(text.text);
    }
    return body;
}

std::tm fixedTime() {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_wday = 2;
    time.tm_hour = 9;
    time.tm_min = 7;
    time.tm_sec = 3;
    return time;
}

PrinterSettings namedPrinter(const std::string& name) {
    PrinterSettings settings;
    settings.valid = true;
    settings.printerName = name;
    settings.values[0] = 1;
    return settings;
}

class TextPrinting : public ::testing::Test {
protected:
    TextPrintJob job() { return {ui, stored, margins, opener, fixedTime(), "Courier New"}; }

    ScriptedUiHost ui;
    PrinterSettings stored;
    PageMargins margins;
    FakeOpener opener;
};

// Ten pixels a byte: easy widths for the wrapping cases.
int tenPerByte(std::string_view text) {
    return static_cast<int>(text.size()) * 10;
}

TEST(TextPageLayout, ConvertsMillimetresPerAxisRoundingDown) {
    const PageMargins margins{12.0, 15.0, 7.5, 20.0, 0};
    // 7.4 px/mm across, 10 px/mm down.
    const TextPageLayout layout = textPageLayout({1554, 2970, 210, 297}, margins);
    EXPECT_EQ(layout.leftMargin, 55);  // 7.5 * 7.4 = 55.5
    EXPECT_EQ(layout.rightMargin, 148);
    EXPECT_EQ(layout.topMargin, 120);
    EXPECT_EQ(layout.bottomMargin, 150);
    EXPECT_EQ(layout.unit, 40);
    EXPECT_EQ(layout.printableWidth, 1554 - 80 - 55 - 148);
    EXPECT_EQ(layout.printableHeight, 2970 - 160 - 120 - 150);
    EXPECT_EQ(layout.frame, (Rect{55, 160, 1554 - 148, 2970 - 40 - 150}));
    // A quarter millimetre is 1 pixel across and 2 down.
    EXPECT_EQ(layout.clip, (Rect{56, 162, 1554 - 149, 2970 - 40 - 152}));
}

TEST(TextPageLayout, PageWithoutMillimetresGivesNoDistances) {
    const TextPageLayout layout = textPageLayout({100, 100, 0, 0}, PageMargins{});
    EXPECT_EQ(layout.unit, 0);
    EXPECT_EQ(layout.leftMargin, 0);
    EXPECT_EQ(layout.printableWidth, 100);
}

TEST(WrapTextLine, FollowsTheWidthAndTheIndentRule) {
    struct Case {
        const char* name;
        std::string line;
        int width;
        bool indent;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"fits", "abcd", 40, true, {"abcd"}},
        {"empty line", "", 40, true, {""}},
        {"plain continuation", "abcdefghij", 40, false, {"abcd", "efgh", "ij"}},
        {"indented continuation", "  abcdefgh", 60, true, {"  abcd", "  efgh"}},
        {"indent not repeated without the flag", "  abcdefgh", 60, false, {"  abcd", "efgh"}},
        {"blanks inside the text are not indent", "ab   cdefgh", 50, true, {"ab   ", "cdefg", "h"}},
        {"indent that fills the width is dropped", "      abc", 50, true, {"     ", " abc"}},
        {"character wider than the width still moves on", "abc", 5, false, {"a", "b", "c"}},
        {"multi-byte characters stay whole",
         "a\xC3\xA9\xC3\xA9",
         30,
         false,
         {"a\xC3\xA9", "\xC3\xA9"}},
        {"broken byte counts alone", "ab\xC3", 20, false, {"ab", "\xC3"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wrapTextLine(c.line, c.width, c.indent, tenPerByte), c.expected) << c.name;
    }
}

TEST(PaginateLines, KeepsEachLineOnOnePage) {
    struct Case {
        const char* name;
        std::vector<int> counts;
        int height;
        std::vector<std::size_t> starts;
    };
    const std::vector<Case> cases = {
        {"no lines still make a page", {}, 100, {0}},
        {"exactly full", {5, 5}, 100, {0}},
        {"a line that does not fit moves on whole", {6, 3, 2}, 100, {0, 2}},
        {"a line taller than a page gets its own", {2, 30, 1}, 100, {0, 1, 2}},
        {"first line taller than a page", {30, 1}, 100, {0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(paginateLines(c.counts, 10, c.height), c.starts) << c.name;
    }
}

TEST_F(TextPrinting, WithoutADefaultPrinterSaysSoAndStoresNothing) {
    for (const bool storedBefore : {false, true}) {
        ScriptedUiHost host;  // no default printer
        PrinterSettings kept = storedBefore ? namedPrinter("stored") : PrinterSettings{};
        TextPrintJob print{host, kept, margins, opener, fixedTime(), "Courier New"};
        printText(print, "Title", {"a"}, false);
        EXPECT_EQ(host.callsNamed("messageBox"),
                  std::vector<std::string>{
                      "messageBox(Corvane|Setting of an effective printer can't be acquired.)"});
        EXPECT_TRUE(host.callsNamed("printDialog").empty());
        EXPECT_EQ(kept.valid, storedBefore);
        EXPECT_EQ(kept.printerName, storedBefore ? "stored" : "");
    }
    EXPECT_TRUE(opener.printer.events.empty());
}

TEST_F(TextPrinting, CancelledDialogPrintsNothing) {
    ui.defaultPrinterAnswer = namedPrinter("office");
    ui.printAnswers = {false};
    TextPrintJob print = job();
    printText(print, "Title", {"a"}, false);
    EXPECT_EQ(ui.callsNamed("printDialog"), std::vector<std::string>{"printDialog(office)"});
    EXPECT_FALSE(stored.valid);
    EXPECT_TRUE(opener.printer.events.empty());
}

TEST_F(TextPrinting, StoredPrinterPresetsTheDialogAndTheChoiceIsStored) {
    stored = namedPrinter("stored");
    ui.defaultPrinterAnswer = namedPrinter("default");
    ui.printAnswers = {true};
    opener.chosenName = "chosen";
    TextPrintJob print = job();
    printText(print, "Title", {"a"}, false);
    EXPECT_EQ(ui.callsNamed("printDialog"), std::vector<std::string>{"printDialog(stored)"});
    EXPECT_TRUE(stored.valid);
    EXPECT_EQ(stored.printerName, "chosen");
    EXPECT_EQ(opener.openedWith, "chosen");
}

TEST_F(TextPrinting, PrinterThatCannotOpenOrRefusesTheJobSaysSo) {
    for (const bool opens : {false, true}) {
        ScriptedUiHost host;
        host.defaultPrinterAnswer = namedPrinter("office");
        host.printAnswers = {true};
        opener.available = opens;
        opener.printer.acceptsJobs = false;
        TextPrintJob print{host, stored, margins, opener, fixedTime(), "Courier New"};
        printText(print, "Title", {"a"}, false);
        EXPECT_EQ(host.callsNamed("messageBox"),
                  std::vector<std::string>{
                      "messageBox(Corvane|Setting of an effective printer can't be acquired.)"})
            << (opens ? "refused job" : "no printer");
        EXPECT_TRUE(opener.printer.pages.empty());
    }
}

TEST_F(TextPrinting, DrawsFrameHeaderDateFooterAndClippedBody) {
    ui.defaultPrinterAnswer = namedPrinter("office");
    ui.printAnswers = {true};
    TextPrintJob print = job();
    printText(print, "My Title", {"first", "", "third"}, false);

    ASSERT_EQ(opener.printer.events,
              (std::vector<std::string>{"doc My Title", "page", "end page", "end doc"}));
    const RecordingCanvas& page = opener.printer.pages[0];
    const std::string date = "2024/03/05 Tue 09:07:03";
    const int dateWidth = static_cast<int>(date.size()) * 21;
    const int footerWidth = 5 * 21;
    EXPECT_EQ(textsOf(page), (std::vector<PlacedText>{
                                 {100, 100, "My Title"},
                                 {2000 - dateWidth, 100, date},
                                 {1050 - footerWidth / 2, 2830 + 8, "1 / 1"},
                                 {140, 180, "first"},
                                 {140, 220, ""},
                                 {140, 260, "third"},
                             }));
    bool framed = false;
    bool clipped = false;
    for (const CanvasCall& call : page.calls()) {
        if (call.op == CanvasOp::kRectangle) framed = call.rect == Rect{100, 140, 2000, 2830};
        if (call.op == CanvasOp::kClip) clipped = call.rect == Rect{102, 142, 1998, 2828};
        if (call.op == CanvasOp::kText) {
            EXPECT_EQ(call.state.font.pixelHeight, 40);
        }
    }
    EXPECT_TRUE(framed);
    EXPECT_TRUE(clipped);
}

TEST_F(TextPrinting, LongLinesWrapAndNeverSplitAcrossPages) {
    ui.defaultPrinterAnswer = namedPrinter("office");
    ui.printAnswers = {true};
    // 62 lines, one of them 8 blanks and 100 columns: that one takes two
    // display lines (86 columns fit), leaving 2 of page 1's 65 for the last
    // line, which needs 3 and so moves whole to page 2.
    std::vector<std::string> lines(62, "x");
    lines[4] = "        " + std::string(100, 'y');
    lines.push_back("        " + std::string(170, 'z'));
    TextPrintJob print = job();
    printText(print, "T", lines, true);

    ASSERT_EQ(opener.printer.pages.size(), 2u);
    const std::vector<std::string> first = bodyOf(opener.printer.pages[0]);
    ASSERT_EQ(first.size(), 63u);
    EXPECT_EQ(first[4], "        " + std::string(78, 'y'));
    EXPECT_EQ(first[5], "        " + std::string(22, 'y'));
    const std::vector<std::string> second = bodyOf(opener.printer.pages[1]);
    EXPECT_EQ(second, (std::vector<std::string>{"        " + std::string(78, 'z'),
                                                "        " + std::string(78, 'z'),
                                                "        " + std::string(14, 'z')}));
    EXPECT_EQ(textsOf(opener.printer.pages[0])[2].text, "1 / 2");
    EXPECT_EQ(textsOf(opener.printer.pages[1])[2].text, "2 / 2");
}

TEST(PrintableReportLines, TurnsTabsIntoBlanksAndKeepsEmptyPieces) {
    EXPECT_EQ(printableReportLines("a\tb\r\n\r\nc\r\n"),
              (std::vector<std::string>{"a    b", "", "c", ""}));
    EXPECT_EQ(printableReportLines("one\rline\n"), std::vector<std::string>{"one\rline\n"});
}

Module& addModule(ModuleList& modules, const std::string& name, const std::string& path) {
    Module& module = modules.append();
    module.name = name;
    module.filePath = path;
    return module;
}

TEST_F(TextPrinting, HierarchyAndListCarryTheirTitlesAndIndentRule) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    Child child;
    child.moduleName = "a_module_with_a_name_long_enough_to_need_a_second_printed_line_on_the_page";
    child.name = "u_instance";
    top.children.push_back(child);
    addModule(modules, "alu", "/w/alu.v");
    ui.defaultPrinterAnswer = namedPrinter("office");
    ui.printAnswers = {true, true};

    TextPrintJob print = job();
    printHierarchy(print, modules, "proj");
    ASSERT_FALSE(opener.printer.pages.empty());
    EXPECT_EQ(opener.printer.events.front(), "doc Hierachy - [proj]");
    const std::vector<std::string> hierarchy = bodyOf(opener.printer.pages.back());
    // The instance line is indented; its continuation repeats the indent.
    bool continued = false;
    for (std::size_t i = 1; i < hierarchy.size(); ++i) {
        const std::string& line = hierarchy[i - 1];
        if (line.find("a_module_with") != std::string::npos && line.size() > 80) {
            const std::size_t blanks = line.find_first_not_of(' ');
            EXPECT_GT(blanks, 0u);
            EXPECT_EQ(hierarchy[i].find_first_not_of(' '), blanks);
            continued = true;
        }
    }
    EXPECT_TRUE(continued);

    opener.printer = FakePrinter{};
    printModuleList(print, modules, "proj");
    EXPECT_EQ(opener.printer.events.front(), "doc List - [proj]");
    EXPECT_EQ(modules.begin()->name, "alu");  // the list report sorts the modules
}

}  // namespace
}  // namespace corvane
