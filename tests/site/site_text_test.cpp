// The pieces of text the site is made of: safe file names, keyword colouring
// and the numbering of source lines.
#include <gtest/gtest.h>

#include <string>

#include "site/keyword_colouring.h"
#include "site/site_names.h"
#include "site/source_page.h"

namespace corvane {
namespace {

TEST(SiteNamesTest, StemsAreSafeForFileSystemsAndAddresses) {
    const std::string longName(300, 'q');
    const struct {
        std::string name;
        bool keepDots;
        std::string stem;
    } cases[] = {
        {"top_level-2", false, "top_level-2"},
        {"Top", false, "top"},
        {"a<b&\"c'", false, "a_3cb_26_22c_27"},
        {"x/y z", false, "x_2fy_20z"},
        {"", false, "_"},
        {"..", false, "_2e_2e"},
        {"top.v", false, "top_2ev"},
        {"top.v", true, "top.v"},
        {".hidden.vhd", true, "_2ehidden.vhd"},
        {"\xC3\xA9", false, "_c3_a9"},
    };
    for (const auto& c : cases) EXPECT_EQ(safeFileStem(c.name, c.keepDots), c.stem) << c.name;
    const std::string cut = safeFileStem(longName);
    EXPECT_EQ(cut.size(), 64u + 9u);
    EXPECT_EQ(cut.substr(0, 64), longName.substr(0, 64));
    EXPECT_NE(cut, safeFileStem(longName + "r"));  // the hash tells cut names apart
}

TEST(SiteNamesTest, NamesThatMeetGetNumbersInTheOrderGiven) {
    const SiteNames names({"a/b", "a?b", "top"}, {"rtl/top.v", "old/top.v", "x"});
    EXPECT_EQ(names.modulePage("a/b"), "a_2fb.html");
    EXPECT_EQ(names.modulePage("a?b"), "a_3fb.html");
    EXPECT_EQ(names.schematicPicture("top"), "top.schematic.svg");
    EXPECT_EQ(names.stateMachinePicture("top", 27), "top.fsm-27.svg");
    EXPECT_EQ(names.modulePage("missing"), "");
    EXPECT_EQ(names.sourcePage("rtl/top.v"), "top.v.html");
    EXPECT_EQ(names.sourcePage("old/top.v"), "top.v-2.html");
    EXPECT_EQ(names.sourcePage("elsewhere.v"), "");
    const SiteNames clash({"m_2fb", "m/b"}, {});
    EXPECT_EQ(clash.modulePage("m_2fb"), "m_2fb.html");
    EXPECT_EQ(clash.modulePage("m/b"), "m_2fb-2.html");
}

// The colour of each byte as a letter: '.' plain, else the entry's letter.
std::string paint(std::string_view text, const std::vector<KeywordEntry>& entries, bool vhdl) {
    std::string out;
    for (const int colour : keywordColours(text, entries, vhdl)) {
        out += colour == kPlainText ? '.' : static_cast<char>(colour);
    }
    return out;
}

KeywordEntry entry(const std::string& word, char letter) {
    return {word, static_cast<int>(word.size()), letter};
}

TEST(KeywordColouringTest, EntriesApplyInListOrder) {
    const std::string text = "module m; // module\nreg_a reg;";
    const struct {
        std::vector<KeywordEntry> entries;
        std::string painted;
    } cases[] = {
        {{entry("module", 'B'), entry("//", 'G')}, "BBBBBB....GGGGGGGGGG.........."},
        {{entry("//", 'G'), entry("module", 'B')}, "BBBBBB....GGGBBBBBBG.........."},
        {{entry("reg", 'R')}, "..........................RRR."},
        {{entry("", 'X'), entry("--", 'C')}, ".............................."},
    };
    for (const auto& c : cases) EXPECT_EQ(paint(text, c.entries, false), c.painted);
}

TEST(KeywordColouringTest, CommentsOfEachLanguage) {
    const std::vector<KeywordEntry> verilog{entry("/*", 'C'), entry("//", 'L')};
    EXPECT_EQ(paint("a /* b\n c */ d /* e", verilog, false), "..CCCCCCCCCC...CCCC");
    EXPECT_EQ(paint("x // y\r\nz", verilog, false), "..LLLLLL.");
    // In a VHDL list "/*" is a word like any other, and "//" marks nothing.
    const std::vector<KeywordEntry> vhdl{entry("end", 'K'), entry("--", 'L'), entry("/*", 'C'),
                                         entry("//", 'S')};
    EXPECT_EQ(paint("end -- /* end\nEND end_x /* x //", vhdl, true),
              "KKK.LLLCCLLLLL..........CC...SS");
}

TEST(SourceLinesTest, LinesEndAtLineFeeds) {
    const struct {
        std::string text;
        std::vector<std::string_view> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\n", {"a", "b"}},
        {"\n\nc", {"", "", "c"}},
    };
    for (const auto& c : cases) EXPECT_EQ(sourceLines(c.text), c.lines) << c.text;
}

}  // namespace
}  // namespace corvane
