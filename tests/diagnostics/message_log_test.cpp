#include "diagnostics/message_log.h"

#include <gtest/gtest.h>

#include "diagnostics/log_navigation.h"

namespace corvane {
namespace {

TEST(MessageLogTest, PrefixesWithAndWithoutLine) {
    MessageLog log;
    log.logError("a.v", 12, "Syntax error.(0)\r\n");
    log.logError("a.v", -1, "x\r\n");
    log.logPlainError("its command is too short. net,[Netname]\r\n");
    log.logNotePrefix("b.v", 0);
    log.appendLog("n\r\n");
    log.appendLog("");
    EXPECT_EQ(log.text(),
              "#ERROR : a.v : 12 : Syntax error.(0)\r\n"
              "#ERROR : a.v :  : x\r\n"
              "#ERROR :  :  : its command is too short. net,[Netname]\r\n"
              "#NOTE : b.v : 0 : n\r\n");
}

// Lines of `width` characters including "\r\n".
std::string lines(int count, int width, char fill) {
    std::string line(static_cast<std::size_t>(width - 2), fill);
    line += "\r\n";
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

TEST(MessageLogTest, TrimsWholeLinesAroundTheCapacity) {
    struct Case {
        std::size_t capacity;
        std::string initial;
        std::string appended;
        std::string expected;
    };
    const Case cases[] = {
        // Exactly at capacity: nothing goes.
        {20, lines(1, 10, 'a'), "bbbbbbbb\r\n", "aaaaaaaa\r\nbbbbbbbb\r\n"},
        // One past: the cut character lies inside the first line, which goes whole.
        {20, lines(2, 10, 'a'), "c", "aaaaaaaa\r\nc"},
        // The cut lies on the first character of a line: exactly the lines before go.
        {20, lines(2, 10, 'a'), "0123456789", "aaaaaaaa\r\n0123456789"},
        // A line longer than the capacity: only its last characters stay.
        {8, "ab\r\n", "0123456789\r\n", "456789\r\n"},
    };
    for (const Case& c : cases) {
        MessageLog log(c.capacity);
        log.appendLog(c.initial);
        log.appendLog(c.appended);
        EXPECT_EQ(log.text(), c.expected) << c.appended;
    }
    // The cut falls inside a last line that the new text ends: its last characters stay.
    MessageLog log(20);
    log.appendLog("aa\r\n" + std::string(16, 'x'));
    log.appendLog("bbbbb\r\n");
    EXPECT_EQ(log.text(), std::string(13, 'x') + "bbbbb\r\n");
}

TEST(MessageLogTest, ListenersSeeEverythingAndMirrorsStayEqual) {
    MessageLog log(32);
    std::string all;
    std::string mirror;
    log.addListener([&](std::string_view text, std::size_t removedFront) {
        all += text;
        mirror += text;
        mirror.erase(0, removedFront);
    });
    for (int i = 0; i < 50; ++i) {
        log.appendLog("line " + std::to_string(i) + "\r\n");
        ASSERT_EQ(mirror, log.text());
        ASSERT_LE(log.size(), 32u);
    }
    EXPECT_TRUE(all.starts_with("line 0\r\nline 1\r\n"));
    log.appendLog(std::string(100, 'z'));
    EXPECT_EQ(mirror, log.text());
    EXPECT_EQ(log.text(), std::string(32, 'z'));
}

TEST(LogNavigationTest, Shapes) {
    struct Case {
        const char* line;
        bool found;
        const char* file;
        int target;
    };
    const Case cases[] = {
        {"#ERROR : /a/b.v : 12 : Syntax error.(0)\r\n", true, "/a/b.v", 12},
        {"#ERROR :  :  : its command is too short.\r\n", true, "", 0},
        {"#WARNING : /a/b.v :  : replaced\r\n", true, "/a/b.v", 0},
        {"#ERROR : x", false, "", 0},
        {"File path     : /a/b.v\r\n", true, "/a/b.v", 0},
        {"File path", false, "", 0},
        {"- analyze /a/b.v\r\n", true, "/a/b.v", 0},
        {"top>analyze /a/c.v\r\n", true, "/a/c.v", 0},
        {"plain text", false, "", 0},
        {"", false, "", 0},
    };
    for (const Case& c : cases) {
        const auto target = navigationTargetOf(c.line);
        ASSERT_EQ(target.has_value(), c.found) << c.line;
        if (!target) continue;
        EXPECT_EQ(target->file, c.file) << c.line;
        EXPECT_EQ(target->line, c.target) << c.line;
    }
}

}  // namespace
}  // namespace corvane
