#include "reports/io_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace corvane {
namespace {

Pin pin(const std::string& name, int direction, int msb, int lsb, const std::string& comment) {
    Pin result;
    result.name = name;
    result.displayName = name;
    result.direction = direction;
    result.msb = msb;
    result.lsb = lsb;
    result.comment = comment;
    return result;
}

ModuleList design() {
    ModuleList modules;
    Module& alu = modules.append();
    alu.name = "alu";
    alu.pins = {pin("a", 0, -1, -1, ""), pin("b", 1, 7, 0, ""), pin("c", 2, -1, -1, ""),
                pin("d", -1, 0, 3, "low, high"), pin("e", 0, -1, 5, "clock")};
    Module& empty = modules.append();
    empty.name = "empty";
    Module& ram = modules.append();
    ram.name = "ram";
    ram.pins = {pin("addr", 0, 9, 0, "address")};
    return modules;
}

const char kAluBlock[] =
    "module name,alu,,\r\n"
    "I/O,Width,Signal Name,Description\r\n"
    "Input,1,a,\r\n"
    "Output,[7:0],b,\r\n"
    "Bidir,1,c,\r\n"
    "Bidir,[0:3],d,\"low, high\"\r\n"
    "Input,1,e,clock\r\n"
    ",,,\r\n";

TEST(IoTable, WritesOneBlockPerChosenModuleInTheGivenOrder) {
    const ModuleList modules = design();
    EXPECT_EQ(buildIoTable(modules, {"ram", "gone", "alu", "empty"}),
              std::string("module name,ram,,\r\n"
                          "I/O,Width,Signal Name,Description\r\n"
                          "Input,[9:0],addr,address\r\n"
                          ",,,\r\n") +
                  kAluBlock +
                  "module name,empty,,\r\n"
                  "I/O,Width,Signal Name,Description\r\n"
                  ",,,\r\n");
    EXPECT_EQ(buildIoTable(modules, {}), "");
}

// Only a field that would shift the columns or end the line is quoted, so
// every table without such a comment keeps its bytes.
TEST(IoTable, QuotesOnlyFieldsHoldingACommaAQuoteOrALineBreak) {
    struct Case {
        const char* comment;
        const char* field;
    };
    const Case cases[] = {
        {"", ""},
        {"plain words; (and) 'single' quotes", "plain words; (and) 'single' quotes"},
        {"low, high", "\"low, high\""},
        {"the \"ready\" flag", "\"the \"\"ready\"\" flag\""},
        {"\"", "\"\"\"\""},
        {"first\nsecond", "\"first\nsecond\""},
        {"first\r\nsecond", "\"first\r\nsecond\""},
        {",", "\",\""},
    };
    for (const Case& entry : cases) {
        ModuleList modules;
        Module& module = modules.append();
        module.name = "m";
        module.pins = {pin("p", 0, -1, -1, entry.comment)};
        EXPECT_EQ(buildIoTable(modules, {"m"}),
                  std::string("module name,m,,\r\n"
                              "I/O,Width,Signal Name,Description\r\n"
                              "Input,1,p,") +
                      entry.field + "\r\n,,,\r\n")
            << "comment: " << entry.comment;
    }
}

// Escaped Verilog identifiers may hold a comma; names are quoted by the same rule.
TEST(IoTable, QuotesNamesThatHoldAComma) {
    ModuleList modules;
    Module& module = modules.append();
    module.name = "\\a,b ";
    module.pins = {pin("\\x,y ", 1, 3, 0, "")};
    EXPECT_EQ(buildIoTable(modules, {"\\a,b "}),
              "module name,\"\\a,b \",,\r\n"
              "I/O,Width,Signal Name,Description\r\n"
              "Output,[3:0],\"\\x,y \",\r\n"
              ",,,\r\n");
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class IoTableFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("corvane_io_table_" + std::to_string(::getpid()) + "_" + test->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

TEST_F(IoTableFile, ReplacesTheTargetAndLeavesNoTemporaryFile) {
    const std::filesystem::path target = folder_ / "ports.csv";
    std::ofstream(target, std::ios::binary) << "old content that is longer than the new one";
    ASSERT_TRUE(writeIoTable(design(), {"alu"}, target.string()));
    EXPECT_EQ(readFile(target), kAluBlock);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(IoTableFile, FailsWhenTheFolderIsMissing) {
    const std::filesystem::path target = folder_ / "no_such_folder" / "ports.csv";
    EXPECT_FALSE(writeIoTable(design(), {"alu"}, target.string()));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_FALSE(writeIoTable(design(), {"alu"}, ""));
}

TEST_F(IoTableFile, FailsWhenTheTargetIsAFolderAndLeavesItAlone) {
    const std::filesystem::path target = folder_ / "taken";
    std::filesystem::create_directories(target / "inside");
    EXPECT_FALSE(writeIoTable(design(), {"alu"}, target.string()));
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace corvane
