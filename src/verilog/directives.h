// Compiler directives met among the module items: `timescale, `include,
// `define and the if-defined / if-not-defined conditionals (without nesting
// and without an else branch: `else and `endif are ignored where they stand).
// An analysed file that holds a back-quote is preprocessed first
// (database/verilog_preprocessor.h), which leaves only `timescale in its text;
// the other rules serve text prepared without that step.
#pragma once

#include "verilog/verilog_parse_state.h"

namespace corvane {

// After "`timescale": glues tokens up to the next line marker; the text must
// hold "/". Returns 0 or 1.
int parseTimescale(VerilogParseState& state);

// After "`include": the file name is read and dropped.
void skipInclude(VerilogParseState& state);

// After "`define": records the macro's replacement text (the tokens up to the
// define end marker, joined by single blanks) in the module's define table.
void parseDefine(VerilogParseState& state);

// After "`ifdef" (skipWhenDefined false) or "`ifndef" (true): reads the name
// and skips up to and including the next "`endif" when the condition fails.
void parseConditional(VerilogParseState& state, bool skipWhenDefined);

}  // namespace corvane
