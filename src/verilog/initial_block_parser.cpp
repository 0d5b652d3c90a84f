#include "verilog/initial_block_parser.h"

#include <string>

#include "verilog/always_token_source.h"
#include "verilog/construct_skipper.h"

namespace corvane {

// The body is one statement, skipped whole: a begin-end or fork-join block,
// or a single statement (a loop, a system task call, an event or delay
// control with its statement, an if with its else). A body holding a block
// is recorded as an Initial; a single plain statement is not.
int parseInitial(VerilogParseState& state) {
    const int keywordLine = state.currentLine;
    AlwaysTokenSource source(state);
    std::string first;
    SkipOutcome outcome;
    if (source.takeWord(first)) {
        outcome = skipConstruct(source, std::move(first));
    } else {
        outcome.end = SkipEnd::kTextEnded;
    }
    if (outcome.openedBlock) {
        Initial initial;
        initial.line = keywordLine;
        state.module.initialBlocks.push_back(std::move(initial));
    }
    if (outcome.end == SkipEnd::kComplete) return 0;
    state.error(outcome.openedBlock ? "\"end\" not exist.\r\n" : "\"begin\" not exist.\r\n");
    return 1;
}

}  // namespace corvane
