#include "project/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/test_files.h"

namespace corvane {
namespace {

using testing::readAll;
using testing::TempDir;

std::string placement(const Settings& settings) {
    const ConsolePlacement& p = settings.console;
    return std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(p.width) + "x" +
           std::to_string(p.height);
}

std::string keywords(const std::vector<KeywordEntry>& entries) {
    std::string text;
    for (const KeywordEntry& entry : entries) {
        text += "[" + entry.word + "|" + std::to_string(entry.length) + "|" +
                std::to_string(entry.color) + "]";
    }
    return text;
}

Settings readText(const std::string& text) {
    Settings settings;
    readSettingsText(text, settings);
    return settings;
}

TEST(SettingsFileTest, UserFileLocation) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string path;
    };
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg/corvane/corvane_setting.ini"},
        {"/cfg/", "/home/u", "/cfg/corvane/corvane_setting.ini"},
        {nullptr, "/home/u", "/home/u/.config/corvane/corvane_setting.ini"},
        {"", "/home/u/", "/home/u/.config/corvane/corvane_setting.ini"},
        {"relative", "/home/u", "/home/u/.config/corvane/corvane_setting.ini"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(userSettingsPath(c.xdg, c.home), c.path)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
    EXPECT_TRUE(standardSettingsLocations().besideExecutable.ends_with("/corvane_setting.ini"));
}

TEST(SettingsFileTest, WithoutAnyFileTheConsoleTakesTheDefaultsAndNoKeywords) {
    TempDir dir;
    Settings settings;
    settings.console = {5, 6, 7, 8};
    settings.verilogWords.push_back({"module", 6, 1});
    settings.vhdlWords.push_back({"entity", 6, 1});
    EXPECT_FALSE(readSettings(settings, {dir.path() + "/a.ini", dir.path() + "/b.ini"}));
    EXPECT_EQ(placement(settings), "0,0 800x600");
    EXPECT_TRUE(settings.verilogWords.empty());
    EXPECT_TRUE(settings.vhdlWords.empty());
}

TEST(SettingsFileTest, TheUserFileComesFirstThenTheFileBesideTheExecutable) {
    TempDir dir;
    const std::string beside = dir.write("beside.ini", "pos.x = 300\r\n");
    const SettingsLocations locations{dir.path() + "/user/corvane_setting.ini", beside};
    Settings settings;
    EXPECT_TRUE(readSettings(settings, locations));
    EXPECT_EQ(settings.console.x, 300);
    settings.console.x = 400;
    ASSERT_TRUE(writeSettings(settings, locations));  // creates the user folder
    EXPECT_EQ(readAll(beside), "pos.x = 300\r\n");
    Settings again;
    EXPECT_TRUE(readSettings(again, locations));
    EXPECT_EQ(again.console.x, 400);
    EXPECT_FALSE(writeSettings(settings, {"", beside}));
}

TEST(SettingsFileTest, PlacementIsClampedBelowOnly) {
    struct Case {
        std::string text;
        std::string placement;
    };
    const Case cases[] = {
        {"", "0,0 800x600"},
        {"width = 100", "0,0 256x600"},
        {"pos.x = -50", "0,0 800x600"},
        {"pos.x = -50\r\npos.y = -1\r\nwidth = -9", "0,0 256x600"},
        {"height = 63\r\nheight = 64", "0,0 800x64"},
        {"height = 10", "0,0 800x64"},
        {"pos.y = 5000\r\nwidth = 9000", "0,5000 9000x600"},
        {"pos.x = abc\r\nwidth = x\r\nheight = 7px", "0,0 256x64"},
        {"pos.x = 12px\r\npos.y = 3.9", "12,3 800x600"},
    };
    for (const Case& c : cases) EXPECT_EQ(placement(readText(c.text)), c.placement) << c.text;
}

TEST(SettingsFileTest, KeywordEntriesNeedAWordAndAColour) {
    struct Case {
        std::string line;
        std::string verilog;
    };
    const Case cases[] = {
        {"verilog-word = always", ""},
        {"verilog-word = always,FF0000", "[always|6|16711680]"},  // blue
        {"verilog-word = always,ff0000,extra,", "[always|6|16711680]"},
        {"verilog-word = wire,00C0001234", "[wire|4|49152]"},  // six digits at most
        {"verilog-word = reg,", "[reg|3|0]"},
        {"verilog-word = reg ,zz", "[reg |4|0]"},
        {"verilog-word = ,FF", "[|0|255]"},
        {"verilog-word =", ""},
        {"Verilog-word = wire,FF", ""},
    };
    for (const Case& c : cases) {
        const Settings settings = readText(c.line);
        EXPECT_EQ(keywords(settings.verilogWords), c.verilog) << c.line;
        EXPECT_TRUE(settings.vhdlWords.empty()) << c.line;
    }
    EXPECT_EQ(keywords(readText("vhdl-word = entity,0000FF").vhdlWords), "[entity|6|255]");
}

TEST(SettingsFileTest, WritesTheLinesInOrderAndOnlyTheLast32SearchWords) {
    Settings settings;
    settings.console = {10, 20, 1024, 768};
    settings.verilogWords = {{"module", 6, 0xFF0000}, {"wire", 4, 0x00C000}};
    settings.vhdlWords = {{"entity", 6, 0x0000FF}};
    for (int i = 0; i < 40; ++i) settings.searchWords.push_back("word" + std::to_string(i));
    const std::string written = formatSettings(settings);
    std::string expected =
        "pos.x = 10\r\npos.y = 20\r\nwidth = 1024\r\nheight = 768\r\n"
        "verilog-word = module,FF0000\r\nverilog-word = wire,00C000\r\n"
        "vhdl-word = entity,0000FF\r\n";
    for (int i = 8; i < 40; ++i) expected += "search-word = word" + std::to_string(i) + "\r\n";
    EXPECT_EQ(written, expected);

    const Settings read = readText(written);
    ASSERT_EQ(read.searchWords.size(), 32u);
    EXPECT_EQ(read.searchWords.front(), "word8");
    EXPECT_EQ(read.searchWords.back(), "word39");
    EXPECT_EQ(formatSettings(read), written);
}

TEST(SettingsFileTest, OrderBlankLinesAndTabsDoNotMatter) {
    const Settings plain = readText(
        "pos.x = 1\r\npos.y = 2\r\nwidth = 300\r\nheight = 200\r\nverilog-word = module,FF0000\r\n"
        "vhdl-word = entity,00FF00\r\nsearch-word = clk\r\n");
    const Settings shuffled = readText(
        "\r\nsearch-word\t=\tclk\t\r\n\r\nvhdl-word=entity,00FF00\n"
        "\theight =\t200\r\nunknown = 5\r\nno equals\r\n"
        "verilog-word = module,FF0000\r\nwidth\t= 300\r\npos.y = 2\r\npos.x = 1");
    EXPECT_EQ(formatSettings(shuffled), formatSettings(plain));
}

}  // namespace
}  // namespace corvane
