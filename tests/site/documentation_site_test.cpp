// The documentation site of the example design and of designs made to be
// awkward: links, parsing, pages and pictures, bytes, and bad output folders.
#include "site/documentation_site.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "elaboration/connection_checks.h"
#include "platform/svg_canvas.h"
#include "site/site_names.h"
#include "site/site_pictures.h"
#include "statemachine/fsm_listing.h"
#include "support/batch_run.h"
#include "support/parse_files.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::readAll;
using testing::shellQuoted;
using testing::TempDir;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The checker's verdict on a site folder: its output, empty when all is well.
std::string siteFaults(const std::string& folder) {
    const std::string script = std::string(CORVANE_FIXTURES) + "/../site/check_site.py";
    const TempDir scratch;
    const std::string report = scratch.path() + "/report";
    const int status = std::system(
        ("python3 " + shellQuoted(script) + " " + shellQuoted(folder) + " >" + shellQuoted(report))
            .c_str());
    return status == 0 ? std::string()
                       : readAll(report) + " (status " + std::to_string(status) + ")";
}

// Every file of a folder with its bytes, by path inside the folder.
std::map<std::string, std::string> folderFiles(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(folder)) {
        if (item.is_regular_file()) {
            files[fs::relative(item.path(), folder).string()] = readAll(item.path().string());
        }
    }
    return files;
}

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder)) names.push_back(item.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

SiteRequest requestFor(const ModuleList& modules, const std::string& folder) {
    return SiteRequest{modules, "Example", {}, {}, folder, nullptr};
}

class ExampleSite : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    ExampleSite() : ParsedFiles(FrontEnds{parseVerilogModule, parseVhdlModule}) {}

    void SetUp() override {
        for (const char* file : {"rtl/bus_mux.v", "rtl/counter.v", "rtl/handshake_fsm.v",
                                 "rtl/top.v", "vhdl/uart_top.vhd", "vhdl/uart_tx.vhd"}) {
            analyseFile(std::string(CORVANE_EXAMPLES) + "/" + file);
        }
        resolveChildPortDirections(modules);
        ASSERT_EQ(modules.size(), 6u);
    }

    std::string write(const std::string& name, std::vector<std::string>* notes = nullptr) {
        const std::string folder = scratch.path() + "/" + name;
        SiteRequest request = requestFor(modules, folder);
        request.notes = notes;
        NullProgressSink progress;
        std::string error;
        EXPECT_TRUE(writeDocumentationSite(request, progress, error)) << error;
        return folder;
    }

    TempDir scratch;
};

TEST_F(ExampleSite, LinksResolveAndEveryModuleAndMachineIsShown) {
    std::vector<std::string> notes;
    const std::string site = write("site", &notes);
    EXPECT_EQ(siteFaults(site), "");
    EXPECT_TRUE(notes.empty());
    std::vector<std::string> names;
    for (const Module& module : modules) names.push_back(module.name);
    const SiteNames siteNames(names, {});
    const std::string index = readAll(site + "/index.html");
    EXPECT_TRUE(contains(index, "<h1>Example</h1>"));
    for (const Module& module : modules) {
        const std::string page = readAll(site + "/modules/" + siteNames.modulePage(module.name));
        ASSERT_FALSE(page.empty()) << module.name;
        EXPECT_TRUE(contains(index, "href=\"modules/" + siteNames.modulePage(module.name) + "\""));
        EXPECT_TRUE(
            fs::is_regular_file(site + "/modules/" + siteNames.schematicPicture(module.name)));
        EXPECT_TRUE(contains(page, "<svg xmlns=")) << module.name;
        // Pin comments stand in the port table, beside the pin's name.
        for (const Pin& pin : module.pins) {
            if (pin.comment.empty()) continue;
            EXPECT_TRUE(contains(page, "<code>" + escapeXmlText(pin.displayName) +
                                           "</code></td><td>" + escapeXmlText(pin.comment) +
                                           "</td>"))
                << module.name << " " << pin.name;
        }
    }
    const std::vector<StateMachineListing> machines = listStateMachines(modules);
    ASSERT_GE(machines.size(), 2u);  // one in each language
    for (const StateMachineListing& machine : machines) {
        const std::string picture = siteNames.stateMachinePicture(machine.module, machine.line);
        EXPECT_TRUE(contains(readAll(site + "/modules/" + picture), "<svg ")) << picture;
        const std::string page = readAll(site + "/modules/" + siteNames.modulePage(machine.module));
        EXPECT_TRUE(contains(page, "id=\"fsm-" + std::to_string(machine.line) + "\""));
        EXPECT_TRUE(contains(index, "#fsm-" + std::to_string(machine.line) + "\""));
    }
    // The instance blocks of the top's schematic lead to the children's
    // pages: each link lies over the block, whose band starts at its corner.
    const std::string topPicture = readAll(site + "/modules/top.schematic.svg");
    for (const char* child : {"counter", "handshake_fsm", "bus_mux"}) {
        const std::size_t at = topPicture.find("<a href=\"" + std::string(child) + ".html\">");
        ASSERT_NE(at, std::string::npos) << child;
        const std::size_t x = topPicture.find(" x=\"", at);
        const std::string corner = topPicture.substr(x, topPicture.find(" height=", x) - x);
        EXPECT_TRUE(contains(topPicture, "<rect" + corner + " height=\"48\" fill=\"#ffff80\"/>"))
            << child << corner;
    }
    // Source lines are anchored and coloured with the built-in lists.
    const std::string source = readAll(site + "/sources/top.v.html");
    EXPECT_TRUE(contains(source,
                         "<span class=\"line\" id=\"L3\"><a class=\"ln\" href=\"#L3\">3</a>"
                         "<span style=\"color:#0000ff\">module</span> top("));
    EXPECT_TRUE(
        contains(readAll(site + "/sources/uart_tx.vhd.html"), "<span style=\"color:#008000\">--"));
}

TEST_F(ExampleSite, TheSameDesignGivesTheSameBytes) {
    const auto first = folderFiles(write("one"));
    const auto second = folderFiles(write("two"));
    // Index, style sheet, six source pages, six module pages with their
    // schematics, and two state machine diagrams.
    EXPECT_EQ(first.size(), 2u + 6u + 6u + 6u + 2u);
    EXPECT_EQ(first, second);
}

TEST_F(ExampleSite, ProgressAndKeywordListsComeFromTheRequest) {
    SiteRequest request = requestFor(modules, scratch.path() + "/site");
    request.verilogKeywords = {{"assign", 6, 0x0000FF}};
    RecordingProgressSink progress;
    std::string error;
    ASSERT_TRUE(writeDocumentationSite(request, progress, error)) << error;
    EXPECT_EQ(progress.files, std::vector<std::string>{request.outputFolder});
    ASSERT_FALSE(progress.values.empty());
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_EQ(progress.values.back(), 100);
    EXPECT_EQ(progress.hides, 1);
    const std::string source = readAll(request.outputFolder + "/sources/bus_mux.v.html");
    EXPECT_TRUE(contains(source, "<span style=\"color:#ff0000\">assign</span>"));
    EXPECT_FALSE(contains(source, "color:#0000ff"));  // the built-in lists stay out
}

TEST_F(ExampleSite, OutputFoldersThatCannotTakeASite) {
    NullProgressSink progress;
    std::string error;
    const std::string file = scratch.write("plain-file", "x");
    for (const std::string& target : {file + "/site", scratch.path() + "/.", std::string("/")}) {
        error.clear();
        EXPECT_FALSE(writeDocumentationSite(requestFor(modules, target), progress, error));
        EXPECT_FALSE(error.empty()) << target;
    }

    // A folder of other things is left alone; no temporary folder stays.
    const std::string foreign = scratch.path() + "/foreign";
    fs::create_directory(foreign);
    std::FILE* keep = std::fopen((foreign + "/keep.txt").c_str(), "wb");
    std::fclose(keep);
    error.clear();
    EXPECT_FALSE(writeDocumentationSite(requestFor(modules, foreign), progress, error));
    EXPECT_TRUE(contains(error, "exists")) << error;
    EXPECT_EQ(entriesOf(foreign), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(entriesOf(scratch.path()), (std::vector<std::string>{"foreign", "plain-file"}));

    // An empty folder and an earlier site are replaced whole.
    const std::string site = scratch.path() + "/site";
    fs::create_directory(site);
    ASSERT_TRUE(writeDocumentationSite(requestFor(modules, site + "/"), progress, error)) << error;
    std::fclose(std::fopen((site + "/stale.html").c_str(), "wb"));
    ASSERT_TRUE(writeDocumentationSite(requestFor(modules, site), progress, error)) << error;
    EXPECT_FALSE(fs::exists(site + "/stale.html"));
    EXPECT_TRUE(fs::exists(site + "/index.html"));
    EXPECT_EQ(entriesOf(scratch.path()),
              (std::vector<std::string>{"foreign", "plain-file", "site"}));

    const ModuleList none;
    EXPECT_FALSE(
        writeDocumentationSite(requestFor(none, scratch.path() + "/empty"), progress, error));
    EXPECT_EQ(error, kNoModulesText);
    EXPECT_FALSE(fs::exists(scratch.path() + "/empty"));
}

// Modules made by hand with names and comments that HTML and file names
// cannot take as they are, one too large to draw, and a missing source.
ModuleList awkwardDesign(const std::string& sourcePath) {
    ModuleList modules;
    const std::string odd = "a<b&\"c'/d";
    Module& top = modules.append();
    top.name = top.displayName = "top";
    top.filePath = sourcePath;
    top.pins.push_back({"p", "p", 0, -1, -1, "<script>alert(1)</script> & more", 1});
    Child child;
    child.moduleName = child.moduleDisplayName = odd;
    child.name = child.displayName = "u<1>";
    child.overrides.push_back({"w", "W", "8'h\"f\""});
    top.children.push_back(child);
    child.moduleName = child.moduleDisplayName = "nowhere";
    top.children.push_back(child);
    Module& strange = modules.append();
    strange.name = strange.displayName = odd;
    strange.filePath = sourcePath;
    Module& longName = modules.append();
    longName.name = longName.displayName = std::string(400, 'l');
    longName.filePath = "/no/such/file.v";
    Module& huge = modules.append();
    huge.name = huge.displayName = "huge";
    huge.filePath = sourcePath;
    for (std::size_t i = 0; i <= kMaxSiteSchematicBlocks; ++i) {
        Assign assign;
        assign.name = assign.displayName = "a" + std::to_string(i);
        huge.assigns.push_back(assign);
    }
    return modules;
}

TEST(AwkwardSite, NamesAreEscapedBoundsAreNotedAndLinksStillResolve) {
    const TempDir scratch;
    const std::string source = scratch.write("odd <name>.v", "module top(p); // <p>\nendmodule\n");
    const ModuleList modules = awkwardDesign(source);
    std::vector<std::string> notes;
    SiteRequest request = requestFor(modules, scratch.path() + "/site");
    request.notes = &notes;
    NullProgressSink progress;
    std::string error;
    ASSERT_TRUE(writeDocumentationSite(request, progress, error)) << error;
    EXPECT_EQ(siteFaults(request.outputFolder), "");
    const std::string top = readAll(request.outputFolder + "/modules/top.html");
    EXPECT_TRUE(contains(top, "&lt;script&gt;alert(1)&lt;/script&gt; &amp; more"));
    EXPECT_FALSE(contains(top, "<script"));
    EXPECT_TRUE(
        contains(top, "<a href=\"a_3cb_26_22c_27_2fd.html\">a&lt;b&amp;&quot;c&#39;/d</a>"));
    // A module that is not analysed is marked, in the instance table and in the tree.
    EXPECT_TRUE(contains(top, "<td>nowhere <span class=\"missing\">(not analysed)</span></td>"));
    EXPECT_TRUE(contains(readAll(request.outputFolder + "/index.html"),
                         "<li><code>nowhere</code> <span class=\"missing\">(not analysed)</span> "
                         "(<code>u&lt;1&gt;</code>)</li>"));
    const std::string huge = readAll(request.outputFolder + "/modules/huge.html");
    EXPECT_TRUE(contains(huge, "The schematic is not drawn"));
    EXPECT_FALSE(fs::exists(request.outputFolder + "/modules/huge.schematic.svg"));
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_TRUE(contains(notes[0], "module huge: The schematic is not drawn")) << notes[0];
    EXPECT_TRUE(contains(notes[1], "source file /no/such/file.v")) << notes[1];
    for (const auto& item : fs::directory_iterator(request.outputFolder + "/modules")) {
        EXPECT_LE(item.path().filename().string().size(), 100u);
    }
}

}  // namespace
}  // namespace corvane
