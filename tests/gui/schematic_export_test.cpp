// Exports of the example design's schematics: PNG images compared pixel for
// pixel with the stored ones, SVG that is well-formed XML, PDF and EMF files
// by their signatures, and the failures.
//
// After an intended change of the drawing, placement or routing, run this
// test with CORVANE_UPDATE_GOLDEN=1 to store the new images, and look at them.
#include "gui/schematic_export.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "console/controller.h"
#include "platform/progress_sink.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::readAll;

std::string goldenPath(const std::string& module) {
    return std::string(CORVANE_FIXTURES) + "/golden/" + module + ".png";
}

// Where two images differ: empty when they are the same pixel for pixel.
std::string imageDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return "size " + std::to_string(actual.width()) + "x" + std::to_string(actual.height()) +
               " instead of " + std::to_string(expected.width()) + "x" +
               std::to_string(expected.height());
    }
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            if (differing++ == 0)
                first = " first at " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return differing == 0 ? "" : std::to_string(differing) + " pixels differ," + first;
}

class ExampleExports : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ensureGuiApplication();
        controller = new CMorvelDlg(ui, progress);
        controller->analyseFolder(std::string(CORVANE_EXAMPLES) + "/rtl");
    }
    static void TearDownTestSuite() {
        delete controller;
        controller = nullptr;
    }

    static ScriptedUiHost ui;
    static NullProgressSink progress;
    static CMorvelDlg* controller;
    testing::TempDir dir;
};

ScriptedUiHost ExampleExports::ui;
NullProgressSink ExampleExports::progress;
CMorvelDlg* ExampleExports::controller = nullptr;

TEST_F(ExampleExports, PngMatchesTheStoredImageExactly) {
    const bool update = std::getenv("CORVANE_UPDATE_GOLDEN") != nullptr;
    for (const char* module : {"top", "counter", "bus_mux", "handshake_fsm"}) {
        SCOPED_TRACE(module);
        const std::string path = dir.path() + "/" + module + ".png";
        std::string error;
        ASSERT_TRUE(exportModuleSchematic(controller->modules(), module, path, error)) << error;
        if (update)
            std::filesystem::copy_file(path, goldenPath(module),
                                       std::filesystem::copy_options::overwrite_existing);
        const QImage expected(QString::fromStdString(goldenPath(module)));
        ASSERT_FALSE(expected.isNull()) << "no stored image " << goldenPath(module);
        EXPECT_EQ(imageDifference(QImage(QString::fromStdString(path)), expected), "");
    }
}

TEST_F(ExampleExports, SvgIsWellFormedXmlWithTheSchematicTexts) {
    const std::string path = dir.path() + "/top.svg";
    std::string error;
    ASSERT_TRUE(exportModuleSchematic(controller->modules(), "top", path, error)) << error;
    QXmlStreamReader xml(QByteArray::fromStdString(readAll(path)));
    QString texts;
    bool svgRoot = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("svg")) svgRoot = true;
        if (xml.isCharacters()) texts += xml.text();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(svgRoot);
    // One element per character: the letters of the instance title are all there.
    for (const QChar letter : QStringLiteral("Instance:u_counter")) {
        EXPECT_TRUE(texts.contains(letter)) << letter.toLatin1();
    }
}

TEST_F(ExampleExports, PdfAndEmfFilesByExtension) {
    std::string error;
    const std::string pdf = dir.path() + "/counter.PDF";
    ASSERT_TRUE(exportModuleSchematic(controller->modules(), "counter", pdf, error)) << error;
    EXPECT_TRUE(readAll(pdf).starts_with("%PDF-"));
    const std::string emf = dir.path() + "/counter.emf";
    ASSERT_TRUE(exportModuleSchematic(controller->modules(), "counter", emf, error)) << error;
    const std::string bytes = readAll(emf);
    ASSERT_GT(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(40, 4), " EMF");
}

TEST_F(ExampleExports, FailuresSayWhy) {
    std::string error;
    EXPECT_FALSE(
        exportModuleSchematic(controller->modules(), "nosuch", dir.path() + "/x.png", error));
    EXPECT_EQ(error, "the module \"nosuch\" is not analysed");
    EXPECT_FALSE(exportModuleSchematic(controller->modules(), "top", dir.path() + "/x.bmp", error));
    EXPECT_NE(error.find("does not end in .svg, .png, .pdf, .emf or .qsch"), std::string::npos);
    EXPECT_FALSE(
        exportModuleSchematic(controller->modules(), "top", dir.path() + "/missing/x.png", error));
    EXPECT_NE(error.find("cannot write the schematic"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/x.png"));
}

}  // namespace
}  // namespace corvane
