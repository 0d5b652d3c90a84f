#include "console/batch_command_line.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "console/terminal_progress.h"

namespace corvane {
namespace {

using Args = std::vector<std::string>;

// A compact view of the parsed actions: "line:<text>", "script:<path>",
// "io:<names joined by |>=<output>".
std::vector<std::string> describe(const BatchOptions& options) {
    std::vector<std::string> described;
    for (const BatchAction& action : options.actions) {
        switch (action.kind) {
            case BatchAction::kLine:
                described.push_back("line:" + action.text);
                break;
            case BatchAction::kScript:
                described.push_back("script:" + action.text);
                break;
            case BatchAction::kIoTable: {
                std::string names;
                for (const std::string& name : action.moduleNames) {
                    names += (names.empty() ? "" : "|") + name;
                }
                described.push_back("io:" + names + "=" + action.outputPath);
                break;
            }
        }
    }
    return described;
}

TEST(BatchCommandLineTest, ActionsKeepTheirOrder) {
    struct Case {
        Args arguments;
        std::vector<std::string> actions;
    };
    const Case cases[] = {
        {{}, {}},
        {{"analyze,rtl/top.v", "summary", "list"},
         {"line:analyze,rtl/top.v", "line:summary", "line:list"}},
        {{"-f", "a.txt", "list", "--script", "-", "--script=b.txt"},
         {"script:a.txt", "line:list", "script:-", "script:b.txt"}},
        {{"--io-table", "top,sub=out.csv", "list", "--io-table=*=x=y.csv"},
         {"io:top|sub=out.csv", "line:list", "io:*=x=y.csv"}},
        {{"--io-table", ",top,,=o.csv"}, {"io:top=o.csv"}},
        {{"-", ""}, {"line:-", "line:"}},
        {{"list", "--", "--crlf", "-f"}, {"line:list", "line:--crlf", "line:-f"}},
    };
    for (const Case& c : cases) {
        const BatchCommandLine parsed = parseBatchCommandLine(c.arguments);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(describe(parsed.options), c.actions);
    }
}

TEST(BatchCommandLineTest, Flags) {
    const BatchCommandLine parsed =
        parseBatchCommandLine({"--crlf", "--no-progress", "--project", "p.cvproj", "--help",
                               "--version", "--save-project=out/q.cvproj"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.options.crlf);
    EXPECT_FALSE(parsed.options.progress);
    EXPECT_EQ(parsed.options.projectFile, "p.cvproj");
    EXPECT_EQ(parsed.options.saveProjectFile, "out/q.cvproj");
    EXPECT_TRUE(parsed.options.actions.empty());
    EXPECT_TRUE(parsed.options.help);
    EXPECT_TRUE(parsed.options.version);
    const BatchCommandLine plain = parseBatchCommandLine({"list"});
    EXPECT_FALSE(plain.options.crlf);
    EXPECT_TRUE(plain.options.progress);
    EXPECT_TRUE(parseBatchCommandLine({"-h"}).options.help);
}

TEST(BatchCommandLineTest, SiteAndJsonOutputsAreNotActions) {
    const BatchCommandLine parsed =
        parseBatchCommandLine({"--site", "out/site", "list", "--json=db.json", "--site=docs"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.options.siteFolder, "docs");  // the last one counts
    EXPECT_EQ(parsed.options.jsonFile, "db.json");
    EXPECT_EQ(describe(parsed.options), std::vector<std::string>{"line:list"});
    const BatchCommandLine plain = parseBatchCommandLine({"list"});
    EXPECT_TRUE(plain.options.siteFolder.empty());
    EXPECT_TRUE(plain.options.jsonFile.empty());
    EXPECT_NE(batchUsage().find("--site OUT_DIR"), std::string::npos);
    EXPECT_NE(batchUsage().find("--json FILE"), std::string::npos);
}

TEST(BatchCommandLineTest, MalformedCommandLines) {
    const Args cases[] = {
        {"-f"},
        {"--script"},
        {"--project"},
        {"--save-project"},
        {"--project="},
        {"--save-project", ""},
        {"list", "--io-table"},
        {"--io-table", "top"},
        {"--io-table", "=out.csv"},
        {"--io-table", "top="},
        {"--io-table", ",,=out.csv"},
        {"--bogus"},
        {"-x"},
        {"--crlf=yes"},
        {"--bogus=1"},
        {"--site"},
        {"--site="},
        {"--json", ""},
        {"list", "--json"},
    };
    for (const Args& arguments : cases) {
        const BatchCommandLine parsed = parseBatchCommandLine(arguments);
        EXPECT_FALSE(parsed.ok) << arguments.back();
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST(LineEndFilterTest, TurnsCarriageReturnLineFeedIntoLineFeedAcrossPieces) {
    struct Case {
        std::vector<std::string> pieces;
        std::string output;
    };
    const Case cases[] = {
        {{"a\r\nb\r\n"}, "a\nb\n"}, {{"a\r", "\nb"}, "a\nb"},
        {{"a\r", "b\r"}, "a\rb\r"}, {{"\r\r\n"}, "\r\n"},
        {{"\n\n"}, "\n\n"},         {{"#ERROR : ", "a.v", " : ", "\r", "\n"}, "#ERROR : a.v : \n"},
    };
    for (const Case& c : cases) {
        LineEndFilter filter;
        std::string output;
        for (const std::string& piece : c.pieces) output += filter.filter(piece);
        output += filter.finish();
        EXPECT_EQ(output, c.output);
    }
}

// What a TerminalProgress writes to a stream, with the escape that erases the
// rest of the line shown as "<K>".
class ProgressCapture {
public:
    ProgressCapture() : file_(std::tmpfile()), progress_(file_) {}
    ~ProgressCapture() { std::fclose(file_); }
    TerminalProgress& progress() { return progress_; }
    std::string written() {
        std::fflush(file_);
        std::rewind(file_);
        std::string text;
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
            text.push_back(static_cast<char>(c));
        }
        std::string shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 3, "\x1b[K") == 0) {
                shown += "<K>";
                i += 2;
            } else {
                shown.push_back(text[i]);
            }
        }
        return shown;
    }

private:
    std::FILE* file_;
    TerminalProgress progress_;
};

TEST(TerminalProgressTest, DrawsChangedValuesAndErasesTheLineWhenAChunkEnds) {
    ProgressCapture capture;
    TerminalProgress& progress = capture.progress();
    progress.showProgressFile("rtl/deep/top.v");
    progress.setProgress(0);
    progress.setProgress(50);
    progress.setProgress(50);
    progress.setProgress(100);
    progress.setProgress(-1);
    progress.setProgress(TerminalProgress::kChunkFinished);
    progress.clearLine();
    const std::string bar0 = "[..............................]  0% top.v";
    const std::string bar50 = "[###############...............] 50% top.v";
    EXPECT_EQ(capture.written(), "\r" + bar0 + "<K>\r" + bar50 + "<K>\r<K>");
}

TEST(TerminalProgressTest, LabelsAreCleanedAndCut) {
    EXPECT_EQ(TerminalProgress::barText(99, "a.v"), "[#############################.] 99% a.v");
    ProgressCapture capture;
    capture.progress().showProgressFile("dir/bad\x1b]name.v");
    EXPECT_NE(capture.written().find("bad?]name.v"), std::string::npos);
    ProgressCapture longName;
    longName.progress().showProgressFile(std::string(60, 'n') + ".v");
    EXPECT_NE(longName.written().find(std::string(37, 'n') + "...<K>"), std::string::npos);
}

}  // namespace
}  // namespace corvane
