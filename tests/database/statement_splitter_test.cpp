#include "database/statement_splitter.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct SplitCase {
    const char* text;
    const char* target;
    const char* targetDisplay;
    const char* value;
    const char* valueDisplay;
};

TEST(StatementSplitter, CutsAtTheFirstNonBlockingOrBlockingOperator) {
    const SplitCase cases[] = {
        {"q<=d", "q", "q", "d", "d"},
        {" x = a + b ", "x", "x", "a + b", "a + b"},
        // "<=" wins over an earlier "=", and only the first one cuts.
        {"if <= (a<=b)", "if", "if", "(a<=b)", "(a<=b)"},
        {"y=a==b", "y", "y", "a==b", "a==b"},
        {"Q[3] <= Din", "q[3]", "Q[3]", "din", "Din"},
        {"case <= (State)", "case", "case", "state", "State"},
        {"case <= s", "case", "case", "s", "s"},
        // Only a case marker loses the parentheses around its value.
        {"if <= (a)", "if", "if", "(a)", "(a)"},
        {"x=a+%%3b", "x", "x", "a+b", "a+b"},
        {"%%2y=%%3c", "y", "y", "c", "c"},
        {"z=", "z", "z", "", ""},
    };
    for (const SplitCase& c : cases) {
        Module module;
        MessageLog log;
        std::vector<Statement> statements;
        ASSERT_EQ(addStatement(statements, c.text, 4, module, log, "t.v"), 0) << c.text;
        ASSERT_EQ(statements.size(), 1u) << c.text;
        EXPECT_EQ(statements[0].target, c.target) << c.text;
        EXPECT_EQ(statements[0].targetDisplay, c.targetDisplay) << c.text;
        EXPECT_EQ(statements[0].value, c.value) << c.text;
        EXPECT_EQ(statements[0].valueDisplay, c.valueDisplay) << c.text;
        EXPECT_EQ(statements[0].line, 4) << c.text;
        EXPECT_EQ(log.text(), "") << c.text;
    }
}

TEST(StatementSplitter, TakesTheCommentOfItsLine) {
    Module module;
    module.lineComments[5] = "next state";
    MessageLog log;
    std::vector<Statement> statements;
    addStatement(statements, "n<=s", 5, module, log, "t.v");
    addStatement(statements, "m<=s", 6, module, log, "t.v");
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0].comment, "next state");
    EXPECT_EQ(statements[1].comment, "");
}

TEST(StatementSplitter, WithoutOperatorWritesTheCallersMessage) {
    Module module;
    MessageLog log;
    std::vector<Statement> statements;
    EXPECT_EQ(addStatement(statements, "{a,b}", 9, module, log, "t.v"), 1);
    EXPECT_EQ(addStatement(statements, "v", 10, module, log, "t.vhd",
                           "Imperfect formula error in process block.\r\n"),
              1);
    EXPECT_TRUE(statements.empty());
    EXPECT_EQ(log.text(),
              "#ERROR : t.v : 9 : Imperfect formula error in always block.\r\n"
              "#ERROR : t.vhd : 10 : Imperfect formula error in process block.\r\n");
}

}  // namespace
}  // namespace corvane
