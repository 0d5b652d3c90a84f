#include "text/tag_reader.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace corvane {
namespace {

using testing::TempDir;

// Every node as "kind:name" followed by " attr=value" pairs.
std::vector<std::string> describe(TagReader& reader) {
    std::vector<std::string> described;
    reader.rewind();
    while (!reader.next()) {
        std::string line = std::to_string(reader.kind()) + ":" + reader.name();
        for (const auto& [name, value] : reader.nodes()[described.size()].attributes) {
            line += " " + name + "=" + value;
        }
        described.push_back(line);
    }
    return described;
}

std::vector<std::string> parsed(const std::string& text) {
    TagReader reader;
    EXPECT_EQ(reader.parse(text), TagReader::kOpened) << text;
    return describe(reader);
}

TEST(TagReaderTest, ReadsASchematicFile) {
    TagReader reader;
    ASSERT_EQ(reader.open(testing::fixturePath("project/sample.qsch")), TagReader::kOpened);
    EXPECT_EQ(describe(reader),
              (std::vector<std::string>{
                  "1:qsch.version value=2",
                  "1:corvane",
                  "1:size width=640 height=480",
                  "1:zoom level=1.000000",
                  "1:pin name=clk vname=CLK x=16 y=32",
                  "1:comment shape=TEXT x0=1 y0=2 x1=3 y1=4 pt=16 color=00C000 text=a\\r\\nb "
                  "face=ＭＳ ゴシック sx0=0 sy0=0 sx1=0 sy1=0 scp.type=-1 scp.id=0 scp.ix=0 "
                  "scp.iy=0 scp.six=0 scp.siy=0",
                  "1:hotpinname name= io=0",
                  "2:corvane",
              }));
    // Lookup by name on the current node; a missing attribute reads as "".
    reader.rewind();
    while (!reader.next() && reader.name() != "pin") {
    }
    EXPECT_EQ(reader.attribute("x"), "16");
    EXPECT_EQ(reader.attribute("vname"), "CLK");
    EXPECT_EQ(reader.attribute("missing"), "");
}

TEST(TagReaderTest, CaseRulesOfElementAndAttributeNames) {
    TagReader reader;
    ASSERT_EQ(reader.parse("<Pin NAME=\"Clk\" X=\"5\" \"Y\"=\"6\"/>"), TagReader::kOpened);
    ASSERT_FALSE(reader.next());
    EXPECT_EQ(reader.name(), "Pin");  // element names keep their case
    EXPECT_EQ(reader.attribute("name"), "Clk");
    EXPECT_EQ(reader.attribute("x"), "5");
    EXPECT_EQ(reader.attribute("y"), "6");
    EXPECT_EQ(reader.attribute("X"), "");  // lookups use the lower-cased name
}

TEST(TagReaderTest, LinesAreTrimmedAndJoinedAndCommentsRemoved) {
    struct Case {
        std::string text;
        std::vector<std::string> nodes;
    };
    const Case cases[] = {
        {"<a>\r\n  hello \r\n\t world\t\n</a>", {"1:a", "0:helloworld", "2:a"}},
        // Joined lines leave no blank between the words of a broken tag.
        {"<a x=\"1\"\r\n  y=\"2\"/>", {"1:a x=1\"y=\"2"}},
        {"<a/><!-- <b/> --><c/>", {"1:a", "1:c"}},
        {"<a/><!--\r\n<b/>\r\n--><c/>", {"1:a", "1:c"}},
        {"<a/><!-- never closed <b/>", {"1:a"}},
        {"<a/><!--><b/>", {"1:a"}},  // "-->" must follow the opening "<!--"
        {"<!-- a -->x<!-- b -->", {"0:x"}},
        {"<?xml version=\"1.0\"?><!DOCTYPE q><a/>", {"1:a"}},
        {"text before<a/>after", {"0:text before", "1:a", "0:after"}},
        {"", {}},
        {"<a x=1 y=\"2\" />", {"1:a x=1 y=2"}},
        {"<a x=\"1/\"/>", {"1:a x=1/"}},
        {"<a/>", {"1:a"}},
        {"< a  x=\"1\" >", {"1:a x=1"}},
        {"</a>", {"2:a"}},
        {"<a t=\"x y=z\" flag>", {"1:a t=x y=z flag="}},
        {"<a t=\"unclosed y=z>", {"1:a t=unclosed y=z"}},
        {"<a x=\"1\">>", {"1:a x=1", "0:>"}},
    };
    for (const Case& c : cases) EXPECT_EQ(parsed(c.text), c.nodes) << c.text;
}

TEST(TagReaderTest, UnterminatedAndEmptyTagsMakeTheFileUnreadable) {
    for (const std::string text : {"<a/><b", "<a x=\"1\"", "<a/><>", "<  >", "<a/>\r\n< >"}) {
        TagReader reader;
        reader.parse("<kept/>");
        EXPECT_EQ(reader.parse(text), TagReader::kMalformed) << text;
        EXPECT_TRUE(reader.nodes().empty()) << text;
        EXPECT_TRUE(reader.next());
        EXPECT_EQ(reader.name(), "");
    }
    TempDir dir;
    TagReader reader;
    EXPECT_EQ(reader.open(dir.path() + "/none.qsch"), TagReader::kCannotOpen);
    EXPECT_EQ(reader.open(dir.path()), TagReader::kCannotOpen);
    EXPECT_EQ(reader.open(dir.write("bad.qsch", "<corvane>\r\n\t<pin")), TagReader::kMalformed);
}

TEST(TagReaderTest, NextReportsTheEndAndRewindStartsAgain) {
    TagReader reader;
    EXPECT_TRUE(reader.next());  // nothing parsed yet
    ASSERT_EQ(reader.parse("<a/><b/>"), TagReader::kOpened);
    EXPECT_EQ(reader.name(), "");  // before the first node
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.name(), "a");
    EXPECT_FALSE(reader.next());
    EXPECT_TRUE(reader.next());
    EXPECT_TRUE(reader.next());
    EXPECT_EQ(reader.attribute("x"), "");
    reader.rewind();
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.name(), "a");
}

TEST(TagReaderTest, EscapedTextSurvivesTheReader) {
    struct Case {
        std::string text;
        std::string escaped;
    };
    const Case cases[] = {
        {"plain text, ＭＳ ゴシック\\r\\n", "plain text, ＭＳ ゴシック\\r\\n"},
        {"say \"hi\"", "say &quot;hi&quot;"},
        {"a<b>c", "a&lt;b&gt;c"},
        {"R&D", "R&amp;D"},
        {"&amp; &lt;", "&amp;amp; &amp;lt;"},
        {"<!-- -->", "&lt;!-- --&gt;"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(escapeTagText(c.text), c.escaped) << c.text;
        EXPECT_EQ(unescapeTagText(c.escaped), c.text) << c.text;
        TagReader reader;
        ASSERT_EQ(reader.parse("<comment text=\"" + escapeTagText(c.text) + "\" face=\"x\"/>"),
                  TagReader::kOpened)
            << c.text;
        ASSERT_FALSE(reader.next());
        EXPECT_EQ(reader.attribute("text"), c.text);
        EXPECT_EQ(reader.attribute("face"), "x");
    }
    // Only the four sequences are undone.
    EXPECT_EQ(unescapeTagText("&foo; &amp &#34; &quot"), "&foo; &amp &#34; &quot");
}

}  // namespace
}  // namespace corvane
