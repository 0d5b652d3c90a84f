// The bundled example project opens as the desktop program opens it: every
// listed file is analysed, and the file holds the bytes the program would
// write for it, so saving it unchanged never rewrites it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/controller.h"
#include "console/project_commands.h"
#include "project/project_file.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

const std::string kProjectPath = std::string(CORVANE_EXAMPLES) + "/example.cvproj";

class ExampleProjectTest : public ::testing::Test {
protected:
    ExampleProjectTest() : controller(ui, progress) {
        controller.setProjectFilePath(kProjectPath);
    }

    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller;
};

TEST_F(ExampleProjectTest, OpensEveryModuleOfTheExampleDesignWithoutErrors) {
    ASSERT_TRUE(loadProjectFile(controller));
    EXPECT_EQ(controller.projectName(), "example");
    EXPECT_FALSE(controller.projectModified());
    EXPECT_EQ(ui.consoleTitle, "[example] 6 module(s) - Corvane");
    EXPECT_EQ(std::string(controller.log().text()).find("#ERROR"), std::string::npos)
        << controller.log().text();

    struct Expected {
        const char* name;
        const char* file;
    };
    const std::vector<Expected> expected = {
        {"bus_mux", "rtl/bus_mux.v"},
        {"counter", "rtl/counter.v"},
        {"handshake_fsm", "rtl/handshake_fsm.v"},
        {"top", "rtl/top.v"},
        {"uart_top", "vhdl/uart_top.vhd"},
        {"uart_tx", "vhdl/uart_tx.vhd"},
    };
    ASSERT_EQ(controller.modules().size(), expected.size());
    auto module = controller.modules().begin();
    for (const Expected& entry : expected) {
        EXPECT_EQ(module->name, entry.name);
        EXPECT_EQ(module->filePath, std::string(CORVANE_EXAMPLES) + "/" + entry.file);
        EXPECT_EQ(module->schematicPath, "") << module->name;
        ++module;
    }
}

TEST_F(ExampleProjectTest, TheFileHoldsTheBytesTheProgramWritesForIt) {
    ASSERT_TRUE(loadProjectFile(controller));
    EXPECT_EQ(formatProject(controller.projectName(), kProjectPath, controller.modules(),
                            controller.projectSettings()),
              testing::readAll(kProjectPath));
}

}  // namespace
}  // namespace corvane
