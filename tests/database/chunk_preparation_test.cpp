#include "database/chunk_preparation.h"

#include <gtest/gtest.h>

#include "database/source_file_reader.h"
#include "database/vhdl_operator_table.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "support/test_files.h"

namespace corvane {
namespace {

SourceText sourceOf(const std::string& text) {
    SourceText source;
    source.path = "t.v";
    source.text = text;
    source.lineStarts = lineStartOffsets(text);
    return source;
}

std::string preparedVerilog(const std::string& fileText) {
    Module module;
    NullProgressSink progress;
    const SourceText source = sourceOf(fileText);
    prepareVerilogChunk(module, source, 1, progress);
    return module.text;
}

std::string preparedVhdl(const std::string& fileText) {
    Module module;
    NullProgressSink progress;
    const SourceText source = sourceOf(fileText);
    prepareVhdlChunk(module, source, 1, progress);
    return module.text;
}

TEST(VerilogChunk, LineCleaning) {
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"a = b; // note\n", "%%1 a = b;"},
        {"// note\n  \n\t\n", ""},
        {"x = 1; /* a */ y = 2; /* b */\n", "%%1 x = 1; y = 2;"},
        {"a/* x */b /* y\nz */ c /* w */ // n /* m\nd\n", "%%1 ab %%2 c %%3 d"},
        {"s = \"a//b /*\"; // c\n", "%%1 s = \"a//b /*\";"},
        {"/* see http://x */ y;\n", "%%1 y;"},
        {"a /* b\nc */ d\n", "%%1 a %%2 d"},
        {"/*\nfoo\n*/\n", "%%1 %%2 %%3"},
        {"(* keep *) wire w;\n", "%%1 wire w;"},
        {"(* keep\n= 1 *) wire w;\n", "%%1 %%2 wire w;"},
        {"always @(*) begin\n", "%%1 always @(*)begin"},
        {"always @( * ) y = a;\n", "%%1 always @( * ) y = a;"},
        {"always @ (* ) y = a; (* x *)\n", "%%1 always @ (* ) y = a;"},
        {"(* a *) (* b = 1 *) wire w; (* c *)\n", "%%1 wire w;"},
        {"input (* keep *) a, (* keep *) b;\n", "%%1 input a, b;"},
        {"(* a,\nb *) (* c *) wire w; (* d\n*) wire v;\n", "%%1 %%2 wire w; %%3 wire v;"},
        {"`define W 8\n", "%%1 `define W 8 ##define_end##"},
        {"`define EMPTY\n", "%%1 `define EMPTY ##define_end##"},
        {"if (a) begin\n", "%%1 if(a)begin"},
        {"if ( a )\n", "%%1 if( a )"},
        {"case (s)\n", "%%1 case(s)"},
        {"a\tb\r\n", "%%1 a b"},
        {"  a   b  \n", "%%1 a b"},
    };
    for (const Case& c : cases) EXPECT_EQ(preparedVerilog(c.input), c.text) << c.input;
}

TEST(VerilogChunk, CommentsAreKeptPerLine) {
    Module module;
    NullProgressSink progress;
    const SourceText source = sourceOf("a = b; // note\n// only\nc; //  spaced \t\n");
    prepareVerilogChunk(module, source, 1, progress);
    EXPECT_EQ(module.lineComments, (std::map<int, std::string>{{1, "note"}, {3, "spaced"}}));
    EXPECT_EQ(module.tokenCount, 6);  // %%1 a = b; %%3 c;
}

TEST(VerilogChunk, ChunksEndAfterEndmoduleEvenWithoutFinalLineFeed) {
    const SourceText source = sourceOf("module a;\r\nendmodule\nmodule b;\nendmodule");
    NullProgressSink progress;
    Module first;
    EXPECT_EQ(prepareVerilogChunk(first, source, 1, progress), 3);
    EXPECT_EQ(first.text, "%%1 module a; %%2 endmodule");
    EXPECT_EQ(first.lineCount, 3);
    EXPECT_EQ(first.charCount, 21);
    Module second;
    EXPECT_EQ(prepareVerilogChunk(second, source, 3, progress), 5);
    EXPECT_EQ(second.text, "%%3 module b; %%4 endmodule");
    Module third;
    EXPECT_EQ(prepareVerilogChunk(third, source, 5, progress), 0);
}

TEST(VerilogChunk, ReadProgressScalesWithTheLines) {
    const SourceText source = sourceOf("a\nb\nc\nd\n");
    RecordingProgressSink progress;
    Module module;
    prepareVerilogChunk(module, source, 1, progress);
    EXPECT_EQ(progress.values, (std::vector<int>{12, 25, 37, 50}));
}

TEST(VhdlChunk, EndMarkersAndWordOperators) {
    struct Case {
        const char* input;
        const char* text;
    };
    const Case cases[] = {
        {"end if;\n", "%%1 \\#$ if;"},
        {"end;\n", "%%1 \\#$;"},
        {"\tEND Process;\n", "%%1 \\#$ Process;"},
        {"endpoint sendx end\n", "%%1 endpoint sendx \\#$"},
        {"y <= a and b;\n", "%%1 y <= a $and$ b;"},
        {"y <= (a)and(b);\n", "%%1 y <= (a) $and$(b);"},
        {"y <= a AND b;\n", "%%1 y <= a $and$ b;"},
        {"for i in 0 to 7 loop\n", "%%1 for i in 0 $to$ 7 loop"},
        {"x <= a; -- note\n-- only\n", "%%1 x <= a;"},
    };
    for (const Case& c : cases) EXPECT_EQ(preparedVhdl(c.input), c.text) << c.input;
}

TEST(VhdlChunk, RunsToTheEndOfTheFile) {
    const SourceText source = sourceOf("entity e is\nend e;\n\narchitecture a of e is\n");
    NullProgressSink progress;
    Module module;
    EXPECT_EQ(prepareVhdlChunk(module, source, 1, progress), 5);
    EXPECT_EQ(module.lineCount, 5);
    Module after;
    EXPECT_EQ(prepareVhdlChunk(after, source, 5, progress), 0);
}

TEST(VhdlWordOperators, SinglePassMatchesThePlainPasses) {
    const char* pieces[] = {" ", " ", ")", "(", "or", "OR", "and", "nand", "to", "to_bit",
                            "x", "when", "else", "not", "a1", "$", ";"};
    unsigned seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(seed % 14);
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += pieces[(seed >> 16) % std::size(pieces)];
        }
        ASSERT_EQ(markVhdlWordOperators(text), markVhdlWordOperatorsByPasses(text)) << text;
    }
    EXPECT_EQ(markVhdlWordOperators(" or or or x"), " $or$ or $or$ x");
}

TEST(LanguageChoice, ExtensionsAreComparedExactly) {
    EXPECT_EQ(languageOfPath("a/b.vhd"), kVhdl);
    EXPECT_EQ(languageOfPath("b.VHDL"), kVhdl);
    EXPECT_EQ(languageOfPath("b.Vhd"), kVerilog);
    EXPECT_EQ(languageOfPath("b.v"), kVerilog);
    EXPECT_EQ(languageOfPath("dir.vhd/b"), kVerilog);
}

class PrepareAndParse : public ::testing::Test {
protected:
    MessageLog log;
    RecordingProgressSink progress;
    SourceFileCache sources;
    corvane::testing::TempDir dir;
    int calls = 0;
    std::string seenText;
    int result = 0;

    AnalysisContext context() {
        auto parser = [this](Module& module, const std::string&, AnalysisContext&) {
            ++calls;
            seenText = module.text;
            return result;
        };
        return AnalysisContext{log, progress, sources, FrontEnds{parser, parser}};
    }
};

TEST_F(PrepareAndParse, ParsesEachChunkAndClearsTheWorkingState) {
    const std::string path = dir.write("two.v", "module a;\nendmodule\n\nmodule b; // c\nendmodule\n\n");
    AnalysisContext ctx = context();
    Module first;
    EXPECT_EQ(prepareAndParse(first, path, 1, ctx), 3);
    EXPECT_EQ(seenText, "%%1 module a; %%2 endmodule");
    EXPECT_EQ(first.filePath, path);
    EXPECT_TRUE(first.text.empty());
    EXPECT_TRUE(first.lineComments.empty());
    EXPECT_EQ(first.tokenCount, 0);
    EXPECT_EQ(progress.values.back(), ProgressSink::kChunkFinished);
    Module second;
    EXPECT_EQ(prepareAndParse(second, path, 3, ctx), 6);
    Module last;  // only a blank line is left: an empty chunk
    EXPECT_EQ(prepareAndParse(last, path, 6, ctx), 0);
    const std::string comments = dir.write("comments.v", "/* a\n b */\n(* x *)\n");
    Module onlyComments;  // its text would be nothing but line markers
    EXPECT_EQ(prepareAndParse(onlyComments, comments, 1, ctx), 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(progress.values.back(), ProgressSink::kChunkFinished);
}

TEST_F(PrepareAndParse, FailureAndBadFilesGiveZero) {
    const std::string path = dir.write("one.vhd", "entity e is\nend e;\n");
    result = 1;
    AnalysisContext ctx = context();
    Module failed;
    EXPECT_EQ(prepareAndParse(failed, path, 1, ctx), 0);
    EXPECT_EQ(failed.language, kVhdl);
    EXPECT_EQ(calls, 1);

    for (const std::string& bad : {dir.path() + "/missing.v", dir.write("empty.v", ""),
                                   dir.write("binary.v", std::string("\0\0\xff\xfe", 4))}) {
        sources.clear();
        Module module;
        EXPECT_EQ(prepareAndParse(module, bad, 1, ctx), 0) << bad;
    }
    EXPECT_EQ(log.size(), 0u);
}

}  // namespace
}  // namespace corvane
