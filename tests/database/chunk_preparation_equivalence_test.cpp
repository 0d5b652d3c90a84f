// The Verilog chunk preparation cleans lines through views and reused
// buffers. These tests hold it to the straightforward line cleaning, written
// here with a fresh string per step, on generated lines that mix comments,
// attributes, tabs and the glued keyword forms.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "database/chunk_preparation.h"
#include "database/source_file_reader.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

struct ReferenceChunk {
    std::string text;
    int tokenCount = 0;
    int charCount = 0;
    int lineCount = 0;
    int nextLine = 0;
    std::map<int, std::string> lineComments;
};

// The comments of a line, character by character: block comments are cut
// out (one left open cuts the rest), "//" outside strings and block comments
// starts the line comment. Returns false when the line contributes nothing:
// a line comment with only blanks before it.
bool referenceComments(std::string& line, bool& open, std::string& comment, bool& hasComment) {
    std::string kept;
    std::size_t pos = 0;
    bool inString = false;
    while (pos < line.size()) {
        if (open) {
            const std::size_t close = line.find("*/", pos);
            if (close == std::string::npos) break;
            open = false;
            pos = close + 2;
            continue;
        }
        const char c = line[pos];
        if (inString) {
            kept += c;
            if (c == '\\' && pos + 1 < line.size()) kept += line[++pos];
            if (c == '"') inString = false;
            ++pos;
        } else if (c == '"') {
            inString = true;
            kept += c;
            ++pos;
        } else if (line.compare(pos, 2, "//") == 0) {
            hasComment = true;
            comment = trimBlanks(std::string_view(line).substr(pos + 2));
            if (trimBlanks(std::string_view(line).substr(0, pos)).empty()) return false;
            break;
        } else if (line.compare(pos, 2, "/*") == 0) {
            open = true;
            pos += 2;
        } else {
            kept += c;
            ++pos;
        }
    }
    line = kept;
    return true;
}

// Every attribute of the line is removed; "(*)" and a "(*" after an at sign
// (blanks between) open an event list instead.
std::string referenceAttributeStrip(std::string line, bool& open) {
    if (open) {
        const std::size_t close = line.find("*)");
        if (close == std::string::npos) return {};
        open = false;
        line.erase(0, close + 2);
    }
    for (std::size_t start = line.find("(*"); start != std::string::npos;
         start = line.find("(*", start)) {
        const std::size_t before = line.find_last_not_of(' ', start == 0 ? 0 : start - 1);
        const bool eventList = line.compare(start, 3, "(*)") == 0 ||
                               (start > 0 && before != std::string::npos && line[before] == '@');
        if (eventList) {
            start += 2;
            continue;
        }
        const std::size_t close = line.find("*)", start + 2);
        if (close == std::string::npos) {
            open = true;
            return line.substr(0, start);
        }
        line.erase(start, close + 2 - start);
    }
    return line;
}

void referenceAppendTokens(ReferenceChunk& chunk, std::string_view line) {
    int index = 0;
    bool isDefine = false;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos >= line.size()) break;
        std::size_t end = line.find(' ', pos);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view token = line.substr(pos, end - pos);
        if (index == 1 && token == "`define") isDefine = true;
        if (!chunk.text.empty()) chunk.text.push_back(' ');
        chunk.text.append(token);
        ++chunk.tokenCount;
        ++index;
        pos = end;
    }
    if (isDefine) {
        chunk.text.append(" ").append(kDefineEndMarker);
        ++chunk.tokenCount;
    }
}

void referenceLine(ReferenceChunk& chunk, std::string_view rawLine, int lineNumber, bool& comment,
                   bool& attribute) {
    chunk.charCount += static_cast<int>(rawLine.size());
    if (rawLine.ends_with('\n')) rawLine.remove_suffix(1);
    if (rawLine.ends_with('\r')) rawLine.remove_suffix(1);
    std::string line = trimBlanks(rawLine);
    if (line.empty() || line.starts_with("//")) return;
    for (char& c : line) {
        if (c == '\t') c = ' ';
    }
    std::string text;
    bool hasText = false;
    const bool contributes = referenceComments(line, comment, text, hasText);
    if (hasText) chunk.lineComments[lineNumber] = text;
    if (!contributes) return;
    line = referenceAttributeStrip(line, attribute);
    line = "%%" + std::to_string(lineNumber) + " " + line;
    line = replaceAll(line, ") begin", ")begin");
    line = replaceAll(line, "if (", "if(");
    line = replaceAll(line, "case (", "case(");
    referenceAppendTokens(chunk, line);
}

ReferenceChunk referenceChunk(const SourceText& source, int startLine) {
    ReferenceChunk chunk;
    const int lineTotal = source.lineCount();
    if (startLine > lineTotal) return chunk;
    bool comment = false;
    bool attribute = false;
    int lineNumber = startLine;
    for (; lineNumber <= lineTotal; ++lineNumber) {
        referenceLine(chunk, source.line(lineNumber), lineNumber, comment, attribute);
        if (chunk.text.size() > 8 && chunk.text.ends_with("endmodule")) break;
    }
    const int lastLine = lineNumber <= lineTotal ? lineNumber : lineTotal;
    chunk.lineCount = lastLine + 1 - startLine + 1;
    chunk.nextLine = lastLine + 1;
    return chunk;
}

// Lines built from the pieces the cleaning steps react to.
std::string generatedSource(unsigned seed) {
    static constexpr std::string_view kPieces[] = {
        "a",      "q<=d;",  " ",      "  ",     "\t",     "//",     "// note ", "/*",
        "*/",     "(*",     "*)",     "(*)",    "@(*)",   "if (",   "if  (",    "case (",
        ") begin", ")  begin", "`define", "W 8", "begin",  "end",    "endmodule", "module m;",
        "x = 1;", "(",      ")",      "\r",     "%%",     "wire w;", "*",       "/",
        "\"",     "\\",     "@ ",
    };
    std::mt19937 rng(seed);
    std::string text;
    const int lines = 20 + static_cast<int>(rng() % 40);
    for (int line = 0; line < lines; ++line) {
        const int pieces = static_cast<int>(rng() % 9);
        for (int p = 0; p < pieces; ++p) text += kPieces[rng() % std::size(kPieces)];
        text += '\n';
    }
    if (rng() % 2 == 0) text.pop_back();  // the last line may lack its line feed
    return text;
}

SourceText sourceOf(std::string text) {
    SourceText source;
    source.path = "generated.v";
    source.text = std::move(text);
    source.lineStarts = lineStartOffsets(source.text);
    return source;
}

TEST(VerilogChunkEquivalence, MatchesTheStraightforwardCleaningOnGeneratedLines) {
    NullProgressSink progress;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const SourceText source = sourceOf(generatedSource(seed));
        // Every chunk of the file, as the driver reads it.
        for (int start = 1; start != 0 && start <= source.lineCount();) {
            const ReferenceChunk expected = referenceChunk(source, start);
            Module module;
            const int next = prepareVerilogChunk(module, source, start, progress);
            ASSERT_EQ(module.text, expected.text) << "seed " << seed << " line " << start;
            EXPECT_EQ(module.tokenCount, expected.tokenCount) << "seed " << seed;
            EXPECT_EQ(module.charCount, expected.charCount) << "seed " << seed;
            EXPECT_EQ(module.lineCount, expected.lineCount) << "seed " << seed;
            EXPECT_EQ(module.lineComments, expected.lineComments) << "seed " << seed;
            ASSERT_EQ(next, expected.nextLine) << "seed " << seed;
            start = next;
        }
    }
}

// Chunks parsed one after the other share the storage of the prepared text;
// each chunk still starts from an empty text and leaves none behind.
TEST(VerilogChunkEquivalence, ChunksOfOneFileEachStartFromAnEmptyText) {
    const std::string path = ::testing::TempDir() + "corvane_chunk_storage.v";
    {
        std::string text;
        for (int i = 0; i < 30; ++i) {
            text += "module m" + std::to_string(i) + "(a);\ninput a; // in\nendmodule\n";
        }
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    std::vector<std::string> seen;
    const ChunkParser keepText = [&seen](Module& module, const std::string&, AnalysisContext&) {
        seen.push_back(module.text);
        return 0;
    };
    AnalysisContext context{log, progress, sources, FrontEnds{keepText, {}}};
    std::vector<Module> modules(31);
    int line = 1;
    for (std::size_t i = 0; line != 0; ++i) {
        line = prepareAndParse(modules[i], path, line, context);
        EXPECT_TRUE(modules[i].text.empty());
        EXPECT_TRUE(modules[i].lineComments.empty());
    }
    ASSERT_EQ(seen.size(), 30u);
    for (int i = 0; i < 30; ++i) {
        const int first = 3 * i + 1;
        EXPECT_EQ(seen[static_cast<std::size_t>(i)],
                  "%%" + std::to_string(first) + " module m" + std::to_string(i) + "(a); %%" +
                      std::to_string(first + 1) + " input a; %%" + std::to_string(first + 2) +
                      " endmodule");
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace corvane
