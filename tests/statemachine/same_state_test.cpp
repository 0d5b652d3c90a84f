// The same-state test that matches a transition's target with a state, and
// the condition texts the diagram shows.
#include "statemachine/same_state.h"

#include <gtest/gtest.h>

#include "statemachine/condition_text.h"

namespace corvane {
namespace {

struct SameCase {
    const char* a;
    const char* b;
    bool same;
};

const SameCase kSameCases[] = {
    {"IDLE", "idle", true},    {"2'b10", "2'd2", true}, {"2'b10", "2", true},
    {"8'hFF", "255", true},    {"3'q7", "7", true},   // an unknown base letter reads as octal
    {"4'b1_01", "1", true},                           // the conversion ends at the "_"
    {"2'b10", "2'b11", false}, {"12a", "12", false},  // not all decimal digits
    {"2'b", "0", false},                              // too short for a based literal
    {"4'bxx", "0", false},                            // no digit of the base at all
    {"", "0", false},          {"RUN", "IDLE", false},
};

TEST(SameState, ComparesNamesAndNumbers) {
    for (const SameCase& c : kSameCases) {
        EXPECT_EQ(isSameState(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(isSameState(c.b, c.a), c.same) << c.b << " / " << c.a;
    }
}

TEST(ConditionText, PeelsParenthesesAndWordMarks) {
    EXPECT_EQ(branchCondition("((start))"), "start");
    EXPECT_EQ(branchCondition("(a)|(b)"), "a)|(b");  // only the outer characters are looked at
    EXPECT_EQ(branchCondition("()"), "");
    EXPECT_EQ(branchCondition("$not$(go)"), " not (go)");
    EXPECT_EQ(branchCondition("$$"), "$$");  // two characters keep their marks
    EXPECT_EQ(joinConditions({"a", "not (b)"}), "(a) and (not (b))");
    EXPECT_EQ(joinConditions({}), "");
    EXPECT_EQ(unnumberElses("(x) and (else[12]) and (else[3])"), "(x) and (else) and (else)");
    EXPECT_EQ(unnumberElses("(else[7"), "(else[7");
}

}  // namespace
}  // namespace corvane
