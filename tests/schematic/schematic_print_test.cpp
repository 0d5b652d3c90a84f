// Printing a schematic window on a fake printer: the zoom and page count of
// each fit mode, where each page's piece of the schematic lands, the page
// texts, the zoom given back afterwards, and the printer choice.
#include "schematic/schematic_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_passes.h"
#include "support/scripted_ui_host.h"

namespace corvane {
namespace {

// 10 pixels per millimetre: margins of 10 mm are 100 pixels, the 4 mm unit
// is 40 pixels, and the frame is 3200 - 200 = 3000 by 2280 - 280 = 2000.
class FakePrinter final : public PrinterDevice {
public:
    PageMetrics pageMetrics() const override { return metrics; }
    bool startDocument(const std::string& name) override {
        documents.push_back(name);
        return acceptsJobs;
    }
    void endDocument() override { ++endedDocuments; }
    bool startPage() override {
        pages.emplace_back();
        return true;
    }
    void endPage() override {}
    Canvas& canvas() override { return pages.back(); }

    PageMetrics metrics{3200, 2280, 320, 228};
    bool acceptsJobs = true;
    std::vector<std::string> documents;
    int endedDocuments = 0;
    std::vector<RecordingCanvas> pages;
};

// Hands out a printer that forwards to the test's fake one.
class FakeOpener final : public PrinterOpener {
    class Forwarding final : public PrinterDevice {
    public:
        explicit Forwarding(FakePrinter& to) : to_(to) {}
        PageMetrics pageMetrics() const override { return to_.pageMetrics(); }
        bool startDocument(const std::string& name) override { return to_.startDocument(name); }
        void endDocument() override { to_.endDocument(); }
        bool startPage() override { return to_.startPage(); }
        void endPage() override { to_.endPage(); }
        Canvas& canvas() override { return to_.canvas(); }

    private:
        FakePrinter& to_;
    };

public:
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings&) override {
        if (!available) return nullptr;
        return std::make_unique<Forwarding>(printer);
    }
    bool available = true;
    FakePrinter printer;
};

std::vector<std::string> textsOf(const RecordingCanvas& page) {
    std::vector<std::string> texts;
    for (const CanvasCall& call : callsOf(page.calls(), CanvasOp::kText))
        texts.push_back(call.text);
    return texts;
}

// The x of the first text `text` drawn on `page`; INT_MIN when there is none.
int textX(const RecordingCanvas& page, const std::string& text) {
    for (const CanvasCall& call : callsOf(page.calls(), CanvasOp::kText)) {
        if (call.text == text) return call.points[0].x;
    }
    return -2147483647 - 1;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// A module "top" with one input pin "probe" in the middle of a 1600 x 600 canvas.
class SchematicPrinting : public ::testing::Test {
protected:
    SchematicPrinting() {
        Module module;
        module.name = module.displayName = "top";
        module.zoom = 0.75;
        Pin pin;
        pin.name = pin.displayName = "probe";
        pin.direction = 0;
        pin.x = 800, pin.y = 300, pin.width = 64, pin.height = 16;
        module.pins.push_back(pin);
        modules.append(module);
        window = std::make_unique<CSchematicDlg>(modules, "top", placementOnlyPasses());
        window->setCanvasSize({1600, 600});
        now.tm_year = 2024 - 1900;
        now.tm_mon = 2;
        now.tm_mday = 5;
        now.tm_wday = 2;
        now.tm_hour = 13;
    }

    bool print(int fit) {
        margins.fit = fit;
        return printSchematicPages(*window, opener.printer, margins, now, "Sans", host);
    }

    ModuleList modules;
    std::unique_ptr<CSchematicDlg> window;
    PageMargins margins;
    std::tm now{};
    SchematicPaintHost host;
    FakeOpener opener;
};

TEST(SchematicPrintPlan, FitModesChooseZoomAndPagesFromTheFrameAndCanvasShapes) {
    struct Case {
        int frameWidth, frameHeight;
        CanvasSize canvas;
        int fit;
        double zoom;
        int columns, rows;
    };
    const Case cases[] = {
        // A page narrower than the canvas's shape: width decides in fit 0,
        // height in fit 1 with the width running over further pages.
        {3000, 2000, {1600, 600}, 0, 1.875, 1, 1},
        {3000, 2000, {1600, 600}, 1, 2000.0 / 600, 2, 1},
        // A tall canvas on a wide page: height decides in fit 0, width in fit 1.
        {3000, 2000, {400, 1000}, 0, 2.0, 1, 1},
        {3000, 2000, {400, 1000}, 1, 7.5, 1, 4},
        // The same shapes: one page either way.
        {3000, 2000, {1500, 1000}, 1, 2.0, 1, 1},
        // An unknown fit mode prints on one page.
        {3000, 2000, {1600, 600}, 7, 1.875, 1, 1},
    };
    for (const Case& c : cases) {
        const SchematicPrintPlan plan =
            planSchematicPrint(c.frameWidth, c.frameHeight, c.canvas, c.fit);
        SCOPED_TRACE(testing::Message()
                     << c.canvas.width << "x" << c.canvas.height << " fit " << c.fit);
        EXPECT_TRUE(plan.drawn);
        EXPECT_DOUBLE_EQ(plan.zoom, c.zoom);
        EXPECT_EQ(plan.columns, c.columns);
        EXPECT_EQ(plan.rows, c.rows);
    }
}

TEST(SchematicPrintPlan, NothingToFillGivesOneUndrawnPageAndAbsurdShapesStopAtThePageLimit) {
    for (const auto& [w, h, canvas] :
         {std::tuple{3000, 2000, CanvasSize{0, 600}}, std::tuple{3000, 2000, CanvasSize{1600, 0}},
          std::tuple{0, 2000, CanvasSize{1600, 600}},
          std::tuple{3000, -5, CanvasSize{1600, 600}}}) {
        const SchematicPrintPlan plan = planSchematicPrint(w, h, canvas, kFitShortSide);
        EXPECT_FALSE(plan.drawn);
        EXPECT_EQ(plan.pages(), 1);
    }
    const SchematicPrintPlan thin = planSchematicPrint(3000, 2000, {2147483647, 1}, kFitShortSide);
    EXPECT_EQ(thin.pages(), kMaxSchematicPrintPages);
}

TEST_F(SchematicPrinting, OnePageFitPrintsTheWholeCanvasInTheFrameAndGivesTheZoomBack) {
    ASSERT_TRUE(print(kFitOnePage));
    EXPECT_EQ(opener.printer.documents, std::vector<std::string>{"top"});
    EXPECT_EQ(opener.printer.endedDocuments, 1);
    ASSERT_EQ(opener.printer.pages.size(), 1u);
    const RecordingCanvas& page = opener.printer.pages[0];
    const std::vector<std::string> texts = textsOf(page);
    EXPECT_TRUE(contains(texts, "Schematic - top"));
    EXPECT_TRUE(contains(texts, "2024/03/05 Tue 13:00:00"));
    EXPECT_TRUE(contains(texts, "1 / 1"));
    // The frame, then the clip a quarter millimetre inside it.
    const std::vector<CanvasCall> rects = callsOf(page.calls(), CanvasOp::kRectangle);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects[0].rect, (Rect{100, 140, 3100, 2140}));
    const std::vector<CanvasCall> clips = callsOf(page.calls(), CanvasOp::kClip);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips[0].rect, (Rect{102, 142, 3098, 2138}));
    EXPECT_DOUBLE_EQ(window->findModule()->zoom, 0.75);
}

TEST_F(SchematicPrinting, ShortSideFitRunsAcrossPagesEachShowingTheNextFrameWidth) {
    ASSERT_TRUE(print(kFitShortSide));
    ASSERT_EQ(opener.printer.pages.size(), 2u);
    EXPECT_TRUE(contains(textsOf(opener.printer.pages[0]), "1 / 2"));
    EXPECT_TRUE(contains(textsOf(opener.printer.pages[1]), "2 / 2"));
    EXPECT_TRUE(contains(textsOf(opener.printer.pages[1]), "Schematic - top"));
    const int first = textX(opener.printer.pages[0], "probe");
    const int second = textX(opener.printer.pages[1], "probe");
    ASSERT_NE(first, -2147483647 - 1);
    // At the job's zoom of 3.33 the pin in the canvas's middle lies past
    // the frame's first 2400 pixels; at the window's 0.75 it would not.
    EXPECT_GT(first, 100 + 800 * 3);
    EXPECT_EQ(first - second, 3000);
    EXPECT_DOUBLE_EQ(window->findModule()->zoom, 0.75);
}

TEST_F(SchematicPrinting, PageOffsetsPutCanvasOriginOnTheFrameCornerAndStepByTheFrame) {
    const TextPageLayout layout = textPageLayout({3200, 2280, 320, 228}, margins);
    const SchematicPrintPlan across{2.0, 3, 1, true};
    const SchematicPrintPlan down{2.0, 1, 3, true};
    EXPECT_EQ(schematicPageOffset(layout, across, 0), (Point{-100, -140}));
    EXPECT_EQ(schematicPageOffset(layout, across, 2), (Point{5900, -140}));
    EXPECT_EQ(schematicPageOffset(layout, down, 1), (Point{-100, 1860}));
}

TEST_F(SchematicPrinting, SelectedObjectsKeepTheirSelectionColourOnPaper) {
    auto probeColour = [this] {
        opener.printer.pages.clear();
        print(kFitOnePage);
        for (const CanvasCall& call :
             callsOf(opener.printer.pages.at(0).calls(), CanvasOp::kText)) {
            if (call.text == "probe") return call.state.textColor;
        }
        return Color{0x123456};
    };
    const Color plain = probeColour();
    window->setSelection({SelectionEntry{kKindPin, "probe", 0}});
    EXPECT_EQ(probeColour(), rgb(255, 0, 0));
    EXPECT_NE(plain, rgb(255, 0, 0));
}

TEST_F(SchematicPrinting, ZeroSizeCanvasPrintsOneFramedPageWithoutTheSchematic) {
    window->setCanvasSize({0, 0});
    ASSERT_TRUE(print(kFitShortSide));
    ASSERT_EQ(opener.printer.pages.size(), 1u);
    const std::vector<std::string> texts = textsOf(opener.printer.pages[0]);
    EXPECT_TRUE(contains(texts, "1 / 1"));
    EXPECT_FALSE(contains(texts, "probe"));
    EXPECT_DOUBLE_EQ(window->findModule()->zoom, 0.75);
}

TEST_F(SchematicPrinting, RefusedJobOrMissingModulePrintsNothing) {
    opener.printer.acceptsJobs = false;
    EXPECT_FALSE(print(kFitOnePage));
    EXPECT_TRUE(opener.printer.pages.empty());
    opener.printer.acceptsJobs = true;
    modules.clear();
    EXPECT_FALSE(print(kFitOnePage));
    EXPECT_TRUE(opener.printer.pages.empty());
}

TEST_F(SchematicPrinting, PrintCommandPresetsStoresTheChoiceAndSaysWhenNoPrinterCanBeUsed) {
    ScriptedUiHost ui;
    PrinterSettings stored;
    PrinterSettings fallback;
    fallback.printerName = "Office";
    TextPrintJob job{ui, stored, margins, opener, now, "Sans"};

    // No default printer: the message, nothing stored.
    printSchematicCommand(*window, job, host);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Setting of an effective printer can't be acquired.");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_FALSE(stored.valid);

    // Cancel in the print dialog: nothing printed, nothing stored.
    ui.defaultPrinterAnswer = fallback;
    ui.printAnswers = {false};
    printSchematicCommand(*window, job, host);
    EXPECT_TRUE(opener.printer.pages.empty());
    EXPECT_FALSE(stored.valid);

    // OK: the choice is stored and the pages print.
    ui.printAnswers = {true};
    printSchematicCommand(*window, job, host);
    EXPECT_TRUE(stored.valid);
    EXPECT_EQ(stored.printerName, "Office");
    EXPECT_EQ(opener.printer.pages.size(), 1u);

    // A printer that cannot be opened: the message again.
    opener.available = false;
    ui.printAnswers = {true};
    printSchematicCommand(*window, job, host);
    EXPECT_EQ(ui.messageBoxes.size(), 2u);
}

}  // namespace
}  // namespace corvane
