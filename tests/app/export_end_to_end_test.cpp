// corvane-batch --export-schematic on the example design: the files it
// writes, what it says when it cannot, and its exit status.
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <fstream>
#include <map>
#include <sstream>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::runBatchWithoutDisplay;
using testing::TempDir;

const std::string kAnalyseExamples = "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/rtl";

class ExportEndToEnd : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(ExportEndToEnd, WritesEveryRequestedFileByItsExtension) {
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(),
        {kAnalyseExamples, "--export-schematic", "top=top.png",
         "--export-schematic=counter=counter.png", "--export-schematic", "handshake_fsm=fsm.svg",
         "--export-schematic", "bus_mux=mux.pdf", "--export-schematic", "Top=top.emf"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // The PNG images are those the export test keeps, pixel for pixel.
    for (const char* module : {"top", "counter"}) {
        const QImage written(QString::fromStdString(dir.path() + "/" + module + ".png"));
        const QImage stored(
            QString::fromStdString(std::string(CORVANE_FIXTURES) + "/golden/" + module + ".png"));
        ASSERT_FALSE(written.isNull()) << module;
        EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) ==
                    stored.convertToFormat(QImage::Format_RGB32))
            << module;
    }
    QXmlStreamReader svg(QByteArray::fromStdString(readAll(dir.path() + "/fsm.svg")));
    while (!svg.atEnd()) svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_TRUE(readAll(dir.path() + "/mux.pdf").starts_with("%PDF-"));
    EXPECT_EQ(readAll(dir.path() + "/top.emf").substr(40, 4), " EMF");
}

TEST_F(ExportEndToEnd, ModuleNotAnalysedIsReportedAndTheOthersStillWritten) {
    const BatchRun run =
        runBatchWithoutDisplay(dir.path(), {kAnalyseExamples, "--export-schematic", "nosuch=a.png",
                                            "--export-schematic", "top=b.svg"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "corvane-batch: the module \"nosuch\" is not analysed\n");
    EXPECT_FALSE(std::ifstream(dir.path() + "/a.png").good());
    EXPECT_TRUE(std::ifstream(dir.path() + "/b.svg").good());
}

TEST_F(ExportEndToEnd, ExportsRunAfterTheLines) {
    // The export is named before the analysis on the command line.
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {"--export-schematic", "counter=c.emf", kAnalyseExamples});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::ifstream(dir.path() + "/c.emf").good());
}

TEST_F(ExportEndToEnd, UnwritableOrUnknownFilesFail) {
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {kAnalyseExamples, "--export-schematic", "top=missing/top.png",
                     "--export-schematic", "top=top.bmp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write the schematic \"missing/top.png\""), std::string::npos);
    EXPECT_NE(run.err.find("\"top.bmp\" does not end in .svg, .png, .pdf, .emf or .qsch"),
              std::string::npos);
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A schematic file exported from a generated schematic, edited by hand (a net
// colour), then named by a project: the export reads it instead of generating.
TEST_F(ExportEndToEnd, ProjectSchematicFileIsReadBeforeExporting) {
    ASSERT_EQ(runBatchWithoutDisplay(dir.path(),
                                     {kAnalyseExamples, "--export-schematic", "counter=gen.qsch"})
                  .status,
              0);
    std::string edited = readAll(dir.path() + "/gen.qsch");
    ASSERT_TRUE(edited.starts_with("<?xml version=\"1.0\"?>\r\n<qsch.version"));
    const std::string plain = "name=\"count\" pt=\"3\" color=\"000000\"";
    const std::size_t at = edited.find(plain);
    ASSERT_NE(at, std::string::npos);
    edited.replace(at, plain.size(), "name=\"count\" pt=\"3\" color=\"0000FF\"");
    writeText(dir.path() + "/counter.qsch", edited);
    writeText(dir.path() + "/p.cvproj",
              "name = p\r\nmodule.path = " + std::string(CORVANE_EXAMPLES) +
                  "/rtl/counter.v\r\nmodule.schname = counter\r\n"
                  "module.schpath = counter.qsch\r\n");

    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {"--project", "p.cvproj", "--export-schematic", "counter=again.qsch",
                     "--export-schematic", "counter=again.svg"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readAll(dir.path() + "/again.qsch"), edited);
    // The hand-chosen colour reaches the picture too.
    EXPECT_NE(readAll(dir.path() + "/again.svg").find("#ff0000"), std::string::npos);
}

// Every example module: its generated schematic file, read back through a
// project, is written again byte for byte.
TEST_F(ExportEndToEnd, SchematicFilesOfTheExampleDesignRoundTrip) {
    const std::vector<std::string> modules = {"top",     "counter",  "handshake_fsm",
                                              "bus_mux", "uart_top", "uart_tx"};
    std::vector<std::string> first = {kAnalyseExamples,
                                      "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/vhdl"};
    std::string project = "name = p\r\n";
    for (const char* file : {"rtl/top.v", "rtl/counter.v", "rtl/handshake_fsm.v", "rtl/bus_mux.v",
                             "vhdl/uart_top.vhd", "vhdl/uart_tx.vhd"}) {
        project += "module.path = " + std::string(CORVANE_EXAMPLES) + "/" + file + "\r\n";
    }
    std::vector<std::string> second = {"--project", "p.cvproj"};
    for (const std::string& module : modules) {
        first.insert(first.end(), {"--export-schematic", module + "=" + module + ".qsch"});
        second.insert(second.end(), {"--export-schematic", module + "=" + module + ".again.qsch"});
        project += "module.schname = " + module + "\r\nmodule.schpath = " + module + ".qsch\r\n";
    }
    ASSERT_EQ(runBatchWithoutDisplay(dir.path(), first).status, 0);
    // A zoom of 2 marks each file as read rather than generated again.
    const std::string zoomOne = "<zoom level=\"1.000000\"/>";
    std::map<std::string, std::string> stored;
    for (const std::string& module : modules) {
        std::string text = readAll(dir.path() + "/" + module + ".qsch");
        const std::size_t at = text.find(zoomOne);
        ASSERT_NE(at, std::string::npos) << module;
        text.replace(at, zoomOne.size(), "<zoom level=\"2.000000\"/>");
        writeText(dir.path() + "/" + module + ".qsch", text);
        stored[module] = text;
    }
    writeText(dir.path() + "/p.cvproj", project);
    const BatchRun run = runBatchWithoutDisplay(dir.path(), second);
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& module : modules) {
        EXPECT_EQ(readAll(dir.path() + "/" + module + ".again.qsch"), stored[module]) << module;
    }
}

// A project naming a schematic file that is not there: generated as without one.
TEST_F(ExportEndToEnd, UnreadableSchematicFileFallsBackToGeneration) {
    ASSERT_EQ(runBatchWithoutDisplay(dir.path(),
                                     {kAnalyseExamples, "--export-schematic", "counter=gen.qsch"})
                  .status,
              0);
    writeText(dir.path() + "/p.cvproj",
              "name = p\r\nmodule.path = " + std::string(CORVANE_EXAMPLES) +
                  "/rtl/counter.v\r\nmodule.schname = counter\r\n"
                  "module.schpath = missing.qsch\r\n");
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(), {"--project", "p.cvproj", "--export-schematic", "counter=b.qsch"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readAll(dir.path() + "/b.qsch"), readAll(dir.path() + "/gen.qsch"));
}

TEST_F(ExportEndToEnd, MalformedOptionIsAUsageError) {
    for (const char* value : {"top", "=x.png", "top="}) {
        const BatchRun run = runBatchWithoutDisplay(dir.path(), {"--export-schematic", value});
        EXPECT_EQ(run.status, 2) << value;
        EXPECT_NE(run.err.find("--export-schematic needs MODULE=OUT"), std::string::npos) << value;
    }
    EXPECT_EQ(runBatchWithoutDisplay(dir.path(), {"--export-schematic"}).status, 2);
}

}  // namespace
}  // namespace corvane
