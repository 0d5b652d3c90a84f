// corvane-batch --export-fsm and --list-fsm on the example design and the
// state machine fixtures: the files written, the listing, what the program
// says when there is nothing to draw, and its exit status.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QXmlStreamReader>
#include <filesystem>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::runBatchWithoutDisplay;
using testing::TempDir;

const std::string kAnalyseRtl = "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/rtl";
const std::string kAnalyseVhdl = "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/vhdl";
// traffic_light (line 13) and tx_ctrl (line 53): three states each.
const std::string kAnalyseControllers =
    "analyze," + corvane::testing::fixturePath("statemachine/controllers.v");

bool hasColour(const QImage& image, QColor colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) return true;
        }
    }
    return false;
}

class FsmEndToEnd : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir.path() + "/" + name; }
    TempDir dir;
};

TEST_F(FsmEndToEnd, DrawsTheDiagramInEveryFormatAndWritesItsLabelFile) {
    // The options may come before the line that analyses the design: the
    // diagrams are made after the last line.
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {"--export-fsm", "traffic_light:13=light.png",
                     "--export-fsm=Traffic_Light:13=light.svg", "--export-fsm", "tx_ctrl:53=tx.pdf",
                     "--export-fsm", "traffic_light:13=light.qstm", kAnalyseControllers});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    // Three states and the filler: the 1020 x 808 canvas, white, with grey
    // behind the state names and the label boxes' own grey.
    const QImage image(QString::fromStdString(path("light.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1020, 808));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 255, 255));
    EXPECT_TRUE(hasColour(image, QColor(133, 130, 127)));
    EXPECT_TRUE(hasColour(image, QColor(224, 224, 224)));

    QXmlStreamReader svg(QByteArray::fromStdString(readAll(path("light.svg"))));
    while (!svg.atEnd()) svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_TRUE(readAll(path("tx.pdf")).starts_with("%PDF-"));

    // The labels where the window first puts them, in key order.
    const std::string labels = readAll(path("light.qstm"));
    EXPECT_TRUE(
        labels.starts_with("<?xml version=\"1.0\"?>\r\n<qstm.version value=\"1\"/>\r\n"
                           "<corvane>\r\n\t<size width=\"1020\" height=\"808\"/>\r\n"))
        << labels;
    EXPECT_TRUE(labels.ends_with("</corvane>\r\n"));
    const std::size_t go = labels.find("<statelabel name=\"go:slow\" x=\"");
    const std::size_t slow = labels.find("<statelabel name=\"slow:stop\" x=\"");
    const std::size_t stop = labels.find("<statelabel name=\"stop:go\" x=\"");
    ASSERT_NE(go, std::string::npos) << labels;
    EXPECT_LT(go, slow);
    EXPECT_LT(slow, stop);
    EXPECT_NE(stop, std::string::npos);
}

TEST_F(FsmEndToEnd, ListsEveryMachineOfTheAnalysedModules) {
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {kAnalyseRtl, kAnalyseVhdl, kAnalyseControllers, "--list-fsm"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(
        run.out.ends_with("handshake_fsm 27 state 4\nuart_tx 32 state 4\n"
                          "traffic_light 13 phase 3\ntx_ctrl 53 state 3\n"))
        << run.out;
    EXPECT_EQ(runBatchWithoutDisplay(dir.path(), {"--list-fsm"}).out, "");
}

TEST_F(FsmEndToEnd, SaysWhyThereIsNothingToDraw) {
    struct Case {
        const char* request;
        const char* error;
    };
    const Case cases[] = {
        // The clocked block of the handshake controller has no case at all.
        {"handshake_fsm:20=a.svg", "No state machine was detected.\n"},
        {"counter:15=b.qstm", "No state machine was detected.\n"},
        {"nosuch:3=c.png", "corvane-batch: the module \"nosuch\" is not analysed\n"},
        {"counter:16=d.png",
         "corvane-batch: the module \"counter\" has no always block or process at line 16\n"},
        {"counter:15=e.bmp",
         "corvane-batch: the file name \"e.bmp\" does not end in .svg, .png, .pdf or .qstm\n"},
        {"traffic_light:13=missing/f.png",
         "corvane-batch: cannot write the state machine diagram \"missing/f.png\"\n"},
    };
    for (const Case& c : cases) {
        const BatchRun run = runBatchWithoutDisplay(
            dir.path(), {kAnalyseRtl, kAnalyseControllers, "--export-fsm", c.request});
        EXPECT_EQ(run.status, 1) << c.request;
        EXPECT_EQ(run.err, c.error) << c.request;
    }
    for (const char* name : {"a.svg", "b.qstm", "c.png", "d.png", "e.bmp"}) {
        EXPECT_FALSE(std::filesystem::exists(path(name))) << name;
    }
    // One failure does not stop the other diagrams.
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {kAnalyseRtl, kAnalyseControllers, "--export-fsm", "nosuch:1=x.svg",
                     "--export-fsm", "traffic_light:13=ok.svg"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(std::filesystem::exists(path("ok.svg")));
}

TEST_F(FsmEndToEnd, MalformedRequestIsAUsageError) {
    for (const char* value :
         {"traffic_light=x.png", "traffic_light:=x.png", ":13=x.png", "traffic_light:1x=x.png",
          "traffic_light:13=", "traffic_light:13", "traffic_light:-1=x.png"}) {
        const BatchRun run = runBatchWithoutDisplay(dir.path(), {"--export-fsm", value});
        EXPECT_EQ(run.status, 2) << value;
        EXPECT_NE(run.err.find("--export-fsm needs MODULE:LINE=OUT"), std::string::npos) << value;
    }
    EXPECT_EQ(runBatchWithoutDisplay(dir.path(), {"--export-fsm"}).status, 2);
    EXPECT_EQ(runBatchWithoutDisplay(dir.path(), {"--list-fsm=yes"}).status, 2);
    const BatchRun help = runBatchWithoutDisplay(dir.path(), {"--help"});
    EXPECT_NE(help.out.find("--export-fsm MODULE:LINE=OUT"), std::string::npos);
    EXPECT_NE(help.out.find("--list-fsm"), std::string::npos);
}

}  // namespace
}  // namespace corvane
