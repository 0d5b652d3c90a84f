#include "project/project_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "support/test_files.h"

namespace corvane {
namespace {

using testing::TempDir;

Module& addModule(ModuleList& modules, const std::string& name, const std::string& path,
                  const std::string& schematic = "") {
    Module& module = modules.append();
    module.name = name;
    module.displayName = name;
    module.filePath = path;
    module.schematicPath = schematic;
    return module;
}

ProjectSettings courierSettings() {
    ProjectSettings settings;
    settings.commentStyle.textFace = "Courier New";
    return settings;
}

const std::string kStyleLines =
    "comment.text.face = Courier New\r\n"
    "comment.text.pt = 16\r\n"
    "comment.text.color = 000000\r\n"
    "comment.line.pt = 1\r\n"
    "comment.line.color = 000000\r\n";

const std::string kDefaultMargins =
    "document.settng.spacetop = 10.000000\r\n"
    "document.settng.spacebottom = 10.000000\r\n"
    "document.settng.spaceleft = 10.000000\r\n"
    "document.settng.spaceright = 10.000000\r\n"
    "document.settng.fit = 0\r\n";

TEST(ProjectFileTest, WritesTheLinesInOrderWithRelativePathsAndEachSourceOnce) {
    ModuleList modules;
    addModule(modules, "top", "/p/a.v", "/p/top.qsch");
    addModule(modules, "sub", "/p/a.v");  // a second module of the same file
    addModule(modules, "leaf", "/p/rtl/b.v", "/elsewhere/leaf.qsch");
    addModule(modules, "far", "/q/c.v");
    addModule(modules, "near", "/pq/d.v");  // shares the folder's letters, not the folder
    EXPECT_EQ(formatProject("demo", "/p/demo.cvproj", modules, courierSettings()),
              "name = demo\r\n"
              "\r\n" +
                  kStyleLines +
                  "\r\n"
                  "module.path = a.v\r\n"
                  "module.path = rtl/b.v\r\n"
                  "module.path = /q/c.v\r\n"
                  "module.path = /pq/d.v\r\n"
                  "\r\n"
                  "module.schname = top\r\n"
                  "module.schpath = top.qsch\r\n"
                  "module.schname = sub\r\n"
                  "module.schname = leaf\r\n"
                  "module.schpath = /elsewhere/leaf.qsch\r\n"
                  "module.schname = far\r\n"
                  "module.schname = near\r\n"
                  "\r\n"
                  "\r\n" +
                  kDefaultMargins);
}

TEST(ProjectFileTest, PrinterLinesOnlyWhenValidAndNumbersInTheirFormats) {
    ProjectSettings settings = courierSettings();
    settings.commentStyle = {};
    settings.commentStyle.textFace = "ＭＳ ゴシック";
    settings.commentStyle.textPt = 12;
    settings.commentStyle.textColor = 0x00C000;
    settings.commentStyle.linePt = 3;
    settings.commentStyle.lineColor = 0xFF00AB;
    settings.printer.valid = true;
    settings.printer.printerName = "Office Laser";
    const std::int16_t values[9] = {2, 9, 2970, 2100, 100, 1, -4, 2, -32768};
    std::copy(std::begin(values), std::end(values), settings.printer.values);
    settings.margins = {12.5, 0.0, -1.25, 1234567.000001, 1};
    EXPECT_EQ(formatProject("p", "p.cvproj", ModuleList(), settings),
              "name = p\r\n"
              "\r\n"
              "comment.text.face = ＭＳ ゴシック\r\n"
              "comment.text.pt = 12\r\n"
              "comment.text.color = 00C000\r\n"
              "comment.line.pt = 3\r\n"
              "comment.line.color = FF00AB\r\n"
              "\r\n"
              "\r\n"
              "\r\n"
              "printer.settng.name = Office Laser\r\n"
              "printer.settng.orientation = 2\r\n"
              "printer.settng.size = 9\r\n"
              "printer.settng.length = 2970\r\n"
              "printer.settng.width = 2100\r\n"
              "printer.settng.scale = 100\r\n"
              "printer.settng.copies = 1\r\n"
              "printer.settng.quality = -4\r\n"
              "printer.settng.color = 2\r\n"
              "printer.settng.duplex = -32768\r\n"
              "\r\n"
              "document.settng.spacetop = 12.500000\r\n"
              "document.settng.spacebottom = 0.000000\r\n"
              "document.settng.spaceleft = -1.250000\r\n"
              "document.settng.spaceright = 1234567.000001\r\n"
              "document.settng.fit = 1\r\n");
}

TEST(ProjectFileTest, PathRules) {
    struct Case {
        std::string path;
        std::string written;  // in the project folder /p/
    };
    const Case cases[] = {
        {"/p/a.v", "a.v"},      {"/p/sub/b.v", "sub/b.v"},
        {"/q/a.v", "/q/a.v"},   {"/P/a.v", "/P/a.v"},  // the comparison is case-sensitive
        {"/p//a.v", "/p//a.v"},                        // "/a.v" would read back as another file
        {"/p/", "/p/"},                                // nothing would be left to read back
        {"/p", "/p"},
    };
    for (const Case& c : cases) {
        const std::string written = pathForProjectFile(c.path, "/p/");
        EXPECT_EQ(written, c.written) << c.path;
        EXPECT_EQ(pathFromProjectFile(written, "/p/"), c.path) << c.path;
    }
    EXPECT_EQ(pathForProjectFile("a.v", ""), "a.v");
    EXPECT_EQ(pathFromProjectFile("a.v", ""), "a.v");
    EXPECT_EQ(pathFromProjectFile("", "/p/"), "");
    EXPECT_EQ(pathFromProjectFile("//server/x.v", "/p/"), "//server/x.v");
    EXPECT_EQ(projectFolder("/p/demo.cvproj"), "/p/");
    EXPECT_EQ(projectFolder("demo.cvproj"), "");
    EXPECT_EQ(projectFolder("rel/demo.cvproj"), "rel/");
}

TEST(ProjectFileTest, RelativePathsAreTakenFromTheCurrentFolderWhenWritten) {
    ModuleList modules;
    addModule(modules, "a", "a.v", "a.qsch");
    addModule(modules, "b", "rtl/b.v");
    addModule(modules, "c", "/abs/c.v");
    addModule(modules, "d", "/w/a.v");  // the same file as a.v: listed once
    const std::string inCurrent = formatProject("p", "p.cvproj", modules, courierSettings(), "/w/");
    EXPECT_NE(inCurrent.find("module.path = a.v\r\nmodule.path = rtl/b.v\r\n"
                             "module.path = /abs/c.v\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(inCurrent.find("module.schpath = a.qsch\r\n"), std::string::npos);
    const std::string inOther =
        formatProject("p", "out/p.cvproj", modules, courierSettings(), "/w/");
    EXPECT_NE(inOther.find("module.path = /w/a.v\r\nmodule.path = /w/rtl/b.v\r\n"),
              std::string::npos);
    EXPECT_NE(inOther.find("module.schpath = /w/a.qsch\r\n"), std::string::npos);
}

// Stands in for the analysis driver: each path yields the modules listed for
// it, replacing older modules of the same name.
class FakeAnalysis {
public:
    std::map<std::string, std::vector<std::string>> modulesOfFile;
    std::vector<std::string> analysed;

    AnalyseSourceFile into(ModuleList& modules) {
        return [this, &modules](const std::string& path) {
            analysed.push_back(path);
            for (const std::string& name : modulesOfFile[path]) {
                modules.removeByName(name);
                addModule(modules, name, path);
            }
        };
    }
};

struct ReadResult {
    std::string name;
    ProjectSettings settings;
    ModuleList modules;
};

TEST(ProjectFileTest, ReadsKeysExactlyAndAnalysesFilesAsTheirLinesCome) {
    FakeAnalysis analysis;
    analysis.modulesOfFile["/p/a.v"] = {"top", "sub"};
    analysis.modulesOfFile["/x/c.v"] = {"far"};
    const std::string text =
        "name\t=\tdemo \r\n"
        "\r\n"
        "no equals sign here\r\n"
        "Name = shouted\r\n"        // keys are compared exactly
        "module.schname = top\r\n"  // before its module.path: no module is current
        "module.schpath = early.qsch\r\n"
        "module.path\t= a.v\r\n"
        "module.path = /x/c.v\n"
        "module.path = missing.v\r\n"
        "module.path =\r\n"
        "module.schname = top\r\n"
        "module.schpath = \tsch/top.qsch\t\r\n"
        "module.schname = nothere\r\n"
        "module.schpath = lost.qsch\r\n"
        "module.schname = far\r\n"
        "module.schpath = /abs/far.qsch\r\n"
        "future.key = 1\r\n"
        "comment.text.face =  Liberation Mono \r\n"
        "comment.text.pt = 20pt\r\n"
        "comment.text.color = 00c0ffee\r\n"
        "comment.line.pt = x\r\n"
        "comment.line.color = zz\r\n"
        "document.settng.spacetop = 12.5mm\r\n"
        "document.settng.spacebottom = abc\r\n"
        "document.settng.spaceleft = -3\r\n"
        "document.settng.spaceright=+7.25\r\n"
        "document.settng.fit = 1\r\n";
    ReadResult read;
    read.settings.printer.valid = true;
    readProjectText(text, "/p/", read.name, read.settings, read.modules,
                    analysis.into(read.modules));
    EXPECT_EQ(read.name, "demo");
    EXPECT_EQ(analysis.analysed, (std::vector<std::string>{"/p/a.v", "/x/c.v", "/p/missing.v"}));
    ASSERT_EQ(read.modules.size(), 3u);
    EXPECT_EQ(read.modules.find("top")->schematicPath, "/p/sch/top.qsch");
    EXPECT_EQ(read.modules.find("sub")->schematicPath, "");
    EXPECT_EQ(read.modules.find("far")->schematicPath, "/abs/far.qsch");
    const CommentStyle& style = read.settings.commentStyle;
    EXPECT_EQ(style.textFace, "Liberation Mono");
    EXPECT_EQ(style.textPt, 20);
    EXPECT_EQ(style.textColor, 0x00C0FF);
    EXPECT_EQ(style.linePt, 0);
    EXPECT_EQ(style.lineColor, 0);
    EXPECT_FALSE(read.settings.printer.valid);
    const PageMargins& margins = read.settings.margins;
    EXPECT_DOUBLE_EQ(margins.top, 12.5);
    EXPECT_DOUBLE_EQ(margins.bottom, 0.0);
    EXPECT_DOUBLE_EQ(margins.left, -3.0);
    EXPECT_DOUBLE_EQ(margins.right, 7.25);
    EXPECT_EQ(margins.fit, 1);
}

TEST(ProjectFileTest, BlanksAndTabsAroundTheEqualsSignReadTheSame) {
    const std::string blanks =
        "name = p\r\nprinter.settng.copies = 3\r\ndocument.settng.spacetop = 4.5\r\n";
    const std::string tabs =
        "name\t=\tp\r\n\tprinter.settng.copies\t= \t3\t\r\ndocument.settng.spacetop=4.5";
    std::string written[2];
    const std::string* inputs[2] = {&blanks, &tabs};
    for (int i = 0; i < 2; ++i) {
        ReadResult read;
        readProjectText(*inputs[i], "/p/", read.name, read.settings, read.modules, {});
        EXPECT_EQ(read.name, "p");
        written[i] = formatProject(read.name, "/p/p.cvproj", read.modules, read.settings);
    }
    EXPECT_EQ(written[0], written[1]);
}

TEST(ProjectFileTest, AnyPrinterKeyMarksThePrinterValidAndNumbersKeepSixteenBits) {
    struct Case {
        std::string line;
        int index;  // into values, -1 for the name
        int value;
    };
    const Case cases[] = {
        {"printer.settng.name = Office Laser", -1, 0},     {"printer.settng.orientation = 2", 0, 2},
        {"printer.settng.size = 70000", 1, 70000 - 65536}, {"printer.settng.length = -2", 2, -2},
        {"printer.settng.duplex = 32768", 8, -32768},      {"printer.settng.quality = -x", 6, 0},
    };
    for (const Case& c : cases) {
        ReadResult read;
        readProjectText(c.line, "", read.name, read.settings, read.modules, {});
        EXPECT_TRUE(read.settings.printer.valid) << c.line;
        if (c.index < 0) {
            EXPECT_EQ(read.settings.printer.printerName, "Office Laser");
        } else {
            EXPECT_EQ(read.settings.printer.values[c.index], c.value) << c.line;
        }
    }
    ReadResult misspelt;
    readProjectText("printer.setting.name = x", "", misspelt.name, misspelt.settings,
                    misspelt.modules, {});
    EXPECT_FALSE(misspelt.settings.printer.valid);
}

TEST(ProjectFileTest, AFileThatCannotBeReadChangesNothing) {
    TempDir dir;
    ReadResult read;
    read.name = "kept";
    read.settings.printer.valid = true;
    bool analysed = false;
    const auto analyse = [&analysed](const std::string&) { analysed = true; };
    for (const std::string& path : {dir.path() + "/none.cvproj", dir.path(), std::string()}) {
        EXPECT_FALSE(readProject(path, read.name, read.settings, read.modules, analyse)) << path;
    }
    EXPECT_EQ(read.name, "kept");
    EXPECT_TRUE(read.settings.printer.valid);
    EXPECT_FALSE(analysed);
    EXPECT_FALSE(writeProject(dir.path() + "/no/such/p.cvproj", "p", read.modules, read.settings));
}

TEST(ProjectFileTest, WriteReadWriteGivesTheSameBytes) {
    TempDir dir;
    const std::string path = dir.path() + "/demo.cvproj";
    ModuleList modules;
    addModule(modules, "top", dir.path() + "/a.v", dir.path() + "/top.qsch");
    addModule(modules, "sub", dir.path() + "/a.v");
    addModule(modules, "far", "/elsewhere/c.v", "/elsewhere/far.qsch");
    ProjectSettings settings = courierSettings();
    settings.printer.valid = true;
    settings.printer.printerName = "pdf";
    settings.printer.values[5] = 2;
    settings.margins.left = 3.141592653;
    settings.commentStyle.lineColor = 0x123456;
    ASSERT_TRUE(writeProject(path, "demo", modules, settings));

    FakeAnalysis analysis;
    analysis.modulesOfFile[dir.path() + "/a.v"] = {"top", "sub"};
    analysis.modulesOfFile["/elsewhere/c.v"] = {"far"};
    ReadResult read;
    ASSERT_TRUE(
        readProject(path, read.name, read.settings, read.modules, analysis.into(read.modules)));
    EXPECT_EQ(analysis.analysed.size(), 2u);
    const std::string again = formatProject(read.name, path, read.modules, read.settings);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream first;
    first << in.rdbuf();
    EXPECT_EQ(again, first.str());
    EXPECT_NE(again.find("document.settng.spaceleft = 3.141593\r\n"), std::string::npos);
}

}  // namespace
}  // namespace corvane
