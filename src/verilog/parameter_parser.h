// parameter, localparam and defparam items, and the parameter list of a
// module header.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after a token "parameter", "localparam" or one beginning with
// "parameter[" (passed as `keywordToken`). Every "NAME = value" of the item
// ("parameter A = 1, B = 2;", "parameter integer W = 8;", "localparam [1:0]
// S = 2'd0;") sets the module's `parameters` entry of NAME (as written) to the
// value text without blanks, so that later tokens equal to NAME read as the
// value, and enters the value, when it can be evaluated, in the parse state's
// table of parameter values. Messages go to the line of the keyword;
// afterwards the current line is that of the last line marker read.
// Returns 0 or 1.
int parseParameter(VerilogParseState& state, const std::string& keywordToken);

// Called after the token "defparam": skips the item up to its ";", storing
// nothing. Returns 0 or 1.
int parseDefparam(VerilogParseState& state);

// One "NAME = value" of a parameter list, as views into the list's text.
struct ParameterAssignment {
    std::string_view name;
    std::string_view value;
};

// The assignments of a list written as tokens separated by blanks
// ("parameter W = 8 , parameter [7:0] P = 8'hFF"): split at the commas
// outside brackets and quotes; in each piece the keywords, types and range
// before the name are passed over. A piece without "=" gives nothing.
void splitParameterAssignments(std::string_view list, std::vector<ParameterAssignment>& out);

// Evaluates the assignments of a module header's "#( ... )" list (its text
// between the parentheses, tokens separated by blanks) into the parse
// state's table of parameter values; the module's records are not changed.
void evaluateHeaderParameters(VerilogParseState& state, std::string_view list);

}  // namespace corvane
