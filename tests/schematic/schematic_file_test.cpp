// The schematic file: bytes written from the templates, every element read
// back, positional net ids and the post-load sequence on a parsed module.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "database/analysis_context.h"
#include "database/chunk_preparation.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "schematic/geometry_dump.h"
#include "schematic/schematic_file.h"
#include "schematic_test_support.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

constexpr const char* kCounter = testing::kCounterSource;

// The same counter with a wire "aa" added, which takes net position 0 and
// moves every other net one position on.
constexpr const char* kCounterWithNet =
    "module counter(clk, rst, en, q);\n"
    "  input clk, rst, en;\n"
    "  output [3:0] q;\n"
    "  reg [3:0] q;\n"
    "  wire inc, aa;\n"
    "  assign inc = en & ~rst & aa;\n"
    "  assign aa = en | clk;\n"
    "  always @(posedge clk or posedge rst)\n"
    "    if (rst) q <= 0;\n"
    "    else if (inc) q <= q + 1;\n"
    "endmodule\n";

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class SchematicFile : public ::testing::Test {
protected:
    // A freshly analysed counter in a module list of its own, and a window on it.
    std::unique_ptr<CSchematicDlg> openWindow(ModuleList& list, const char* source,
                                              const SchematicPasses& passes) {
        // A file of its own each time: the source cache keeps what it read.
        const std::string path = dir.write("counter" + std::to_string(files++) + ".v", source);
        AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, nullptr}};
        Module& module = list.append();
        prepareAndParse(module, path, 1, context);
        EXPECT_EQ(module.name, "counter") << log.text();
        module.schematicPath = dir.path() + "/counter.qsch";
        return std::make_unique<CSchematicDlg>(list, "counter", passes);
    }

    // A generated schematic read back into a fresh generated window gives the
    // same bytes when written again.
    void expectRoundTrip(CSchematicDlg& original) {
        ASSERT_TRUE(writeSchematicFile(original));
        const std::string written = readAll(original.findModule()->schematicPath);
        ModuleList other;
        auto fresh = openWindow(other, kCounter, standardSchematicPasses());
        fresh->openWithoutFile();
        ASSERT_TRUE(readSchematicFile(*fresh));
        std::string again;
        ASSERT_TRUE(schematicFileText(*fresh, again));
        EXPECT_EQ(written, again);
    }

    testing::TempDir dir;
    int files = 0;
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    ModuleList modules;
};

TEST_F(SchematicFile, NewModuleWritesTheDefaultSettings) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    Module& module = *window->findModule();
    module.nets.at("clk").color = 0x00C000;
    module.nets.at("rst").color = 0;
    std::string text;
    ASSERT_TRUE(schematicFileText(*window, text));
    const CanvasSize canvas = window->canvasSize();
    const std::string head = "<?xml version=\"1.0\"?>\r\n<qsch.version value=\"2\"/>\r\n<corvane>\r\n"
                             "\t<size width=\"" + std::to_string(canvas.width) + "\" height=\"" +
                             std::to_string(canvas.height) + "\"/>\r\n"
                             "\t<powerclock mode=\"off\"/>\r\n"
                             "\t<zoom level=\"1.000000\"/>\r\n"
                             "\t<summary mode=\"off\"/>\r\n"
                             "\t<zoom_s level=\"1.000000\"/>\r\n"
                             "\t<grid snap=\"on\" appear=\"on\" size=\"16\"/>\r\n"
                             "\t<grid_s snap=\"off\" appear=\"on\" size=\"16\"/>\r\n"
                             "\t<pin name=\"clk\" vname=\"clk\" x=\"";
    EXPECT_EQ(text.substr(0, head.size()), head);
    // Nets by position in name order: clk 0, en 1, inc 2, q 3, rst 4.
    EXPECT_NE(text.find("\t<connect id=\"0\" name=\"clk\" pt=\"" +
                        std::to_string(module.nets.at("clk").lineWidth) +
                        "\" color=\"00C000\"/>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\t<connect id=\"4\" name=\"rst\" pt=\"" +
                        std::to_string(module.nets.at("rst").lineWidth) +
                        "\" color=\"000000\"/>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\t<comment shape=\"ScHeMaTiC\" x0=\"0\""), std::string::npos);
    const std::string tail = "\t<hotpinname name=\"\" io=\"0\"/>\r\n</corvane>\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(SchematicFile, GeneratedSchematicRoundTrips) {
    auto window = openWindow(modules, kCounter, standardSchematicPasses());
    window->openWithoutFile();
    expectRoundTrip(*window);
}

TEST_F(SchematicFile, MovedBlockAndCommentsOfEveryShapeRoundTrip) {
    auto window = openWindow(modules, kCounter, standardSchematicPasses());
    window->openWithoutFile();
    Module& module = *window->findModule();
    module.alwaysBlocks[0].x += 320;
    module.alwaysBlocks[0].y += 64;
    std::vector<SchematicComment>& comments = window->comments();
    const int kinds[] = {kCommentLine, kCommentArrow, kCommentRect, kCommentEllipse, kCommentText};
    for (int kind : kinds) {
        SchematicComment comment;
        comment.kind = kind;
        comment.x0 = 10 * kind;
        comment.y1 = 3 * kind;
        comment.color = 0x123456;
        comment.scpType = kKindAssign;
        comments.push_back(comment);
    }
    comments.back().text = "first \"quoted\" line\r\nsecond\tline & <more>";
    comments.back().pt = 12;
    window->setHotPin("en", 1);

    ASSERT_TRUE(writeSchematicFile(*window));
    const std::string written = readAll(module.schematicPath);
    EXPECT_NE(written.find("text=\"first &quot;quoted&quot; line\\r\\nsecond\\tline &amp; "
                           "&lt;more&gt;\""),
              std::string::npos);
    for (const char* shape : {"LINE", "ARROW", "RECT", "ELLIPSE", "TEXT"}) {
        EXPECT_NE(written.find(std::string("shape=\"") + shape + "\""), std::string::npos);
    }
    expectRoundTrip(*window);

    ModuleList other;
    auto fresh = openWindow(other, kCounter, standardSchematicPasses());
    fresh->openWithoutFile();
    ASSERT_TRUE(readSchematicFile(*fresh));
    ASSERT_EQ(fresh->comments().size(), comments.size());
    EXPECT_EQ(fresh->comments().back().text, comments.back().text);
    EXPECT_EQ(fresh->comments().back().kind, kCommentText);
    EXPECT_EQ(fresh->findModule()->alwaysBlocks[0].x, module.alwaysBlocks[0].x);
    EXPECT_EQ(fresh->hotPinName(), "en");
    EXPECT_EQ(fresh->hotPinIo(), 1);
}

TEST_F(SchematicFile, OnlyTheFirstMarkerIsWritten) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    window->comments().push_back(makeMarkerComment());
    window->comments().back().x0 = 99;
    SchematicComment odd;
    odd.kind = 3;
    window->comments().push_back(odd);
    std::string text;
    ASSERT_TRUE(schematicFileText(*window, text));
    EXPECT_EQ(text.find("ScHeMaTiC"), text.rfind("ScHeMaTiC"));
    EXPECT_NE(text.find("\t<comment shape=\"\" x0=\"0\""), std::string::npos);
}

TEST_F(SchematicFile, BlockLinesFollowTheTemplates) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    Module& module = *window->findModule();
    Child child;
    child.name = "u1";
    child.displayName = "U1";
    child.x = 3;
    child.y = -4;
    child.viewParam = 1;
    module.children = {child};
    Initial initial;
    initial.line = 12;
    initial.x = 5;
    module.initialBlocks = {initial};
    module.alwaysBlocks[0].x = 70;
    module.alwaysBlocks[0].y = 80;
    std::string text;
    ASSERT_TRUE(schematicFileText(*window, text));
    for (const std::string& line :
         {"\t<assign name=\"inc\" vname=\"inc\" x=\"" + std::to_string(module.assigns[0].x),
          std::string("\t<child name=\"u1\" vinsname=\"U1\" x=\"3\" y=\"-4\" "
                      "viewparam=\"on\"/>\r\n"),
          "\t<always lineid=\"" + std::to_string(module.alwaysBlocks[0].line) +
              "\" x=\"70\" y=\"80\"/>\r\n",
          std::string("\t<initial lineid=\"12\" x=\"5\" y=\"0\"/>\r\n")}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_LT(text.find("\t<child "), text.find("\t<always "));
    EXPECT_LT(text.find("\t<initial "), text.find("\t<connect "));
}

// A hand-written file exercising every element and the reading rules.
TEST_F(SchematicFile, ReadsEveryElement) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    Module& module = *window->findModule();
    module.summaryMode = 0;
    module.nets.at("en").color = 0x777777;
    const int alwaysLine = module.alwaysBlocks[0].line;
    const std::string file =
        "<?xml version=\"1.0\"?>\n<qsch.version value=\"7\"/>\n<corvane>\n"
        "<size width=\"1234\" height=\"567\"/>\n"
        "<powerclock mode=\"on\"/>\n<zoom level=\"1.5\"/>\n<summary mode=\"on\"/>\n"
        "<zoom_s level=\"0.25\"/>\n<grid snap=\"off\" appear=\"On\" size=\"8\"/>\n"
        "<grid_s snap=\"on\" appear=\"off\" size=\"32\"/>\n"
        "<pin name=\"clk\" X=\"5\" y=\"6\"/>\n"
        "<Pin name=\"rst\" x=\"7\" y=\"8\"/>\n"
        "<pin name=\"gone\" x=\"9\" y=\"9\"/>\n"
        "<assign name=\"inc\" x=\"100\" y=\"200\"/>\n"
        "<always lineid=\"" + std::to_string(alwaysLine) + "\" x=\"300\" y=\"abc\"/>\n"
        "<connect id=\"1\" pt=\"4\" color=\"zz\"/>\n"
        "<connect id=\"4\" pt=\"2\" color=\"00c000\"/>\n"
        "<connect id=\"99\" pt=\"2\" color=\"00c000\"/>\n"
        "<handroute id=\"3\" x0=\"1\" y0=\"2\" x1=\"3\" y1=\"2\"/>\n"
        "<handroute id=\"3\" x0=\"3\" y0=\"2\" x1=\"3\" y1=\"9\"/>\n"
        "<handroute.touch id=\"3\" key=\"131075\" value=\"2\"/>\n"
        "<comment shape=\"ScHeMaTiC\" x0=\"1\"/>\n"
        "<comment shape=\"TEXT\" text=\"a\\r\\nb\\tc\" face=\"Mono\" pt=\"14\" color=\"ff\"/>\n"
        "<comment shape=\"ScHeMaTiC\" x0=\"2\"/>\n"
        "<comment shape=\"SPIRAL\" scp.type=\"5\" scp.six=\"-3\"/>\n"
        "<hotpinname name=\"q\" io=\"1\"/>\n"
        "<unknown a=\"b\"/>text between\n</corvane>\n";
    ASSERT_TRUE(readSchematicText(*window, file));

    EXPECT_EQ(window->canvasSize().width, 1234);
    EXPECT_EQ(window->canvasSize().height, 567);
    EXPECT_EQ(module.highlightClock, 1);
    EXPECT_DOUBLE_EQ(module.zoom, 1.5);
    EXPECT_EQ(module.summaryMode, 0);  // the summary line is not read
    EXPECT_DOUBLE_EQ(module.summaryZoom, 0.25);
    EXPECT_EQ(module.gridSnap, 0);
    EXPECT_EQ(module.gridVisible, 0);  // "On" is not "on"
    EXPECT_EQ(module.gridSize, 8);
    EXPECT_EQ(module.summaryGridSnap, 1);
    EXPECT_EQ(module.summaryGridVisible, 0);
    EXPECT_EQ(module.summaryGridSize, 32);
    EXPECT_EQ(module.pins[0].x, 5);  // attribute names are not case-sensitive
    EXPECT_EQ(module.pins[0].y, 6);
    EXPECT_NE(module.pins[1].x, 7);  // element names are
    EXPECT_EQ(module.assigns[0].x, 100);
    EXPECT_EQ(module.assigns[0].y, 200);
    EXPECT_EQ(module.alwaysBlocks[0].x, 300);
    EXPECT_EQ(module.alwaysBlocks[0].y, 0);  // not a number
    EXPECT_EQ(module.nets.at("en").lineWidth, 4);
    EXPECT_EQ(module.nets.at("en").color, 0x777777);  // unreadable colour: kept
    EXPECT_EQ(module.nets.at("rst").color, 0x00C000);
    const Net& q = module.nets.at("q");
    ASSERT_EQ(q.route.size(), 2u);
    EXPECT_EQ(q.route[1].y1, 9);
    EXPECT_EQ(q.touch.at(131075), 2);
    EXPECT_EQ(q.needsRouting, 0);
    for (const char* name : {"clk", "en", "inc", "rst"}) {
        EXPECT_TRUE(module.nets.at(name).route.empty()) << name;
        EXPECT_TRUE(module.nets.at(name).touch.empty()) << name;
        EXPECT_EQ(module.nets.at(name).needsRouting, 1) << name;
    }
    const std::vector<SchematicComment>& comments = window->comments();
    ASSERT_EQ(comments.size(), 3u);
    EXPECT_EQ(comments[0].kind, kCommentMarker);
    EXPECT_EQ(comments[0].x0, 1);
    EXPECT_EQ(comments[1].text, "a\r\nb\tc");
    EXPECT_EQ(comments[1].face, "Mono");
    EXPECT_EQ(comments[1].pt, 14);
    EXPECT_EQ(comments[1].color, 0xFF);
    EXPECT_EQ(comments[2].kind, -1);
    EXPECT_EQ(comments[2].scpType, 5);
    EXPECT_EQ(comments[2].scpSix, -3);
    EXPECT_EQ(window->hotPinName(), "q");
    EXPECT_EQ(window->hotPinIo(), 1);
}

TEST_F(SchematicFile, ChildViewParamAndRouteRuns) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    Module& module = *window->findModule();
    Child a;
    a.name = "u1";
    Child b;
    b.name = "u2";
    b.viewParam = 1;
    module.children = {a, b};
    // A second run of net 3 after net 2 starts its route again.
    const std::string file =
        "<child name=\"u1\" x=\"1\" y=\"2\" viewparam=\"on\"/>"
        "<child name=\"u2\" x=\"3\" y=\"4\" viewparam=\"ON\"/>"
        "<handroute id=\"3\" x0=\"1\" y0=\"1\" x1=\"2\" y1=\"1\"/>"
        "<handroute id=\"2\" x0=\"5\" y0=\"5\" x1=\"6\" y1=\"5\"/>"
        "<handroute id=\"3\" x0=\"7\" y0=\"7\" x1=\"8\" y1=\"7\"/>"
        "<handroute.touch id=\"3\" key=\"1\" value=\"1\"/>"
        "<handroute.touch id=\"2\" key=\"2\" value=\"1\"/>"
        "<handroute.touch id=\"3\" key=\"3\" value=\"1\"/>";
    ASSERT_TRUE(readSchematicText(*window, file));
    EXPECT_EQ(module.children[0].viewParam, 1);
    EXPECT_EQ(module.children[0].x, 1);
    EXPECT_EQ(module.children[1].viewParam, 0);  // the test is exact
    EXPECT_EQ(module.children[1].y, 4);
    const Net& q = module.nets.at("q");
    ASSERT_EQ(q.route.size(), 1u);
    EXPECT_EQ(q.route[0].x0, 7);
    ASSERT_EQ(q.touch.size(), 1u);
    EXPECT_EQ(q.touch.count(3), 1u);
    // No marker in the file: one is appended.
    ASSERT_EQ(window->comments().size(), 1u);
    EXPECT_EQ(window->comments()[0].kind, kCommentMarker);
}

TEST_F(SchematicFile, FailedReadChangesNothing) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    SchematicComment comment;
    comment.kind = kCommentRect;
    window->comments().push_back(comment);
    const std::string before = dumpGeometry(*window);
    std::string bytesBefore;
    ASSERT_TRUE(schematicFileText(*window, bytesBefore));

    // No file at the path, an unterminated tag, an empty tag.
    EXPECT_FALSE(readSchematicFile(*window));
    for (const char* bytes : {"<corvane>\n<size width=\"5\"", "<corvane><size width=\"5\"/><>"}) {
        dir.write("counter.qsch", bytes);
        EXPECT_FALSE(readSchematicFile(*window)) << bytes;
        EXPECT_FALSE(readSchematicText(*window, bytes)) << bytes;
    }
    std::string bytesAfter;
    ASSERT_TRUE(schematicFileText(*window, bytesAfter));
    EXPECT_EQ(bytesAfter, bytesBefore);
    EXPECT_EQ(dumpGeometry(*window), before);

    // A window whose module is gone neither reads nor writes.
    CSchematicDlg orphan(modules, "missing", placementOnlyPasses());
    EXPECT_FALSE(readSchematicText(orphan, "<size width=\"5\"/>"));
    EXPECT_FALSE(writeSchematicFile(orphan));
    EXPECT_EQ(orphan.comments().size(), 1u);
}

TEST_F(SchematicFile, WriteFailsWhenTheFileCannotBeCreated) {
    auto window = openWindow(modules, kCounter, placementOnlyPasses());
    window->openWithoutFile();
    window->findModule()->schematicPath = dir.path() + "/no/such/folder/x.qsch";
    EXPECT_FALSE(writeSchematicFile(*window));
    window->findModule()->schematicPath.clear();
    EXPECT_FALSE(writeSchematicFile(*window));
}

// A file written before a net was added: routes and styles land on the nets
// now at those positions, and the post-load sequence routes what is left.
TEST_F(SchematicFile, FileFromBeforeANetWasAddedLoads) {
    auto old = openWindow(modules, kCounter, standardSchematicPasses());
    old->openWithoutFile();
    ASSERT_TRUE(writeSchematicFile(*old));

    ModuleList other;
    auto window = openWindow(other, kCounterWithNet, standardSchematicPasses());
    window->openWithoutFile();
    Module& module = *window->findModule();
    ASSERT_EQ(module.nets.begin()->first, "aa");
    module.schematicPath = modules.find("counter")->schematicPath;
    ASSERT_TRUE(readSchematicFile(*window));

    // Position 0 now names "aa": it takes the old first net's style and
    // route; the last net, beyond the old file's positions, has no route.
    const Module& before = *modules.find("counter");
    EXPECT_EQ(module.nets.at("aa").lineWidth, before.nets.at("clk").lineWidth);
    EXPECT_EQ(module.nets.at("aa").route.size(), before.nets.at("clk").route.size());
    EXPECT_EQ(module.nets.at("clk").route.size(), before.nets.at("en").route.size());
    ASSERT_FALSE(before.nets.at("rst").route.empty());
    EXPECT_TRUE(module.nets.at("rst").route.empty());
    EXPECT_EQ(module.nets.at("rst").needsRouting, 1);

    runPostLoadSequence(*window);
    EXPECT_FALSE(module.nets.at("rst").route.empty());
    std::string text;
    EXPECT_TRUE(schematicFileText(*window, text));
}

// Opening a window with its file runs the whole opening sequence; without a
// readable file nothing changes and the caller generates instead.
TEST_F(SchematicFile, OpenWithFileRunsTheOpeningSteps) {
    struct Hooks : SchematicWindowHooks {
        void refreshMenuStates(CSchematicDlg&) override { calls += "menus "; }
        void updateTitle(CSchematicDlg&) override { calls += "title "; }
        void restartUndoHistory(CSchematicDlg&) override { calls += "undo "; }
        std::string calls;
    } hooks;
    auto window = openWindow(modules, kCounter, standardSchematicPasses());
    EXPECT_FALSE(openWithSchematicFile(*window, hooks));
    EXPECT_EQ(hooks.calls, "");
    window->openWithoutFile();
    Module& module = *window->findModule();
    module.highlightClock = 1;
    ASSERT_TRUE(writeSchematicFile(*window));

    ModuleList other;
    auto fresh = openWindow(other, kCounter, standardSchematicPasses());
    fresh->findModule()->schematicPath = module.schematicPath;
    ASSERT_TRUE(openWithSchematicFile(*fresh, hooks));
    EXPECT_EQ(hooks.calls, "menus title undo ");
    const Module& loaded = *fresh->findModule();
    EXPECT_EQ(loaded.highlightClock, 1);
    // The places come back; clock highlighting ran again.
    std::string original;
    std::string reloaded;
    ASSERT_TRUE(schematicFileText(*window, original));
    ASSERT_TRUE(schematicFileText(*fresh, reloaded));
    const auto places = [](const std::string& text) {
        const size_t begin = text.find("\t<pin ");
        return text.substr(begin, text.find("\t<connect ") - begin);
    };
    EXPECT_EQ(places(reloaded), places(original));
    EXPECT_EQ(loaded.nets.at("clk").color, 0x00C000);
}

TEST_F(SchematicFile, CommentTextEscapes) {
    struct Case {
        const char* text;
        const char* encoded;
    };
    const Case cases[] = {
        {"a\r\nb", "a\\r\\nb"},
        {"tab\there", "tab\\there"},
        {"lone\rcr\nlf", "lone\rcr\nlf"},
        {"", ""},
        {"end\r", "end\r"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeCommentText(c.text), c.encoded) << c.text;
        EXPECT_EQ(decodeCommentText(c.encoded), c.text) << c.text;
    }
}

}  // namespace
}  // namespace corvane
