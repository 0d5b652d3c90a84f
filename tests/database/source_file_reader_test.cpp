#include "database/source_file_reader.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace corvane {
namespace {

using corvane::testing::fixturePath;
using corvane::testing::TempDir;

constexpr const char* kJapaneseSource =
    "// \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x82\xB3\xE3\x83\xA1\xE3\x83\xB3\xE3"
    "\x83\x88\n"
    "module m; // \xE7\xAB\xAF\xE5\xAD\x90\n"
    "endmodule\n";

TEST(SourceFileReader, JapaneseEncodingsComeOutAsUtf8) {
    struct Case {
        const char* fixture;
        SourceEncoding encoding;
    };
    const Case cases[] = {{"shift_jis.v", SourceEncoding::ShiftJis},
                          {"euc_jp.v", SourceEncoding::EucJp},
                          {"iso2022jp.v", SourceEncoding::Iso2022Jp},
                          {"utf8_bom.v", SourceEncoding::Utf8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        TempDir dir;
        std::ifstream in(fixturePath(c.fixture), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(classifyEncoding(bytes), c.encoding);
        EXPECT_EQ(readSourceFile(fixturePath(c.fixture)), kJapaneseSource);
    }
}

TEST(SourceFileReader, AsciiAndAmbiguousTextStayUnchanged) {
    EXPECT_EQ(classifyEncoding("module m;\nendmodule\n"), SourceEncoding::Ascii);
    EXPECT_EQ(readSourceFile(fixturePath("ascii.v")), "module m;\nendmodule\n");
    // A lone high byte matches no pattern: counted as ASCII, kept as it is.
    EXPECT_EQ(classifyEncoding("a\xE9 b"), SourceEncoding::Ascii);
    EXPECT_EQ(convertToUtf8("a\xE9 b", SourceEncoding::Ascii), "a\xE9 b");
}

TEST(SourceFileReader, BrokenSequencesBecomeReplacementCharacters) {
    // A Shift_JIS pair followed by a truncated lead byte.
    const std::string converted = convertToUtf8("\x82\xA0\x82", SourceEncoding::ShiftJis);
    EXPECT_EQ(converted, "\xE3\x81\x82\xEF\xBF\xBD");
}

TEST(SourceFileReader, UnreadableEmptyAndFoldersGiveEmptyText) {
    TempDir dir;
    EXPECT_EQ(readSourceFile(dir.path() + "/missing.v"), "");
    EXPECT_EQ(readSourceFile(dir.write("empty.v", "")), "");
    EXPECT_EQ(readSourceFile(dir.path()), "");
}

TEST(SourceFileReader, LineStartsKeepALastLineWithoutLineFeed) {
    using V = std::vector<std::size_t>;
    EXPECT_EQ(lineStartOffsets(""), V{});
    EXPECT_EQ(lineStartOffsets("a\nb"), (V{0, 2}));
    EXPECT_EQ(lineStartOffsets("a\nb\n"), (V{0, 2}));
    EXPECT_EQ(lineStartOffsets("\n\n"), (V{0, 1}));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(SourceFileReader, BinaryFilesGiveEmptyText) {
    corvane::testing::TempDir dir;
    EXPECT_EQ(readSourceFile(dir.write("bin.v", std::string("module\0m;", 9))), "");
}

}  // namespace
}  // namespace corvane
