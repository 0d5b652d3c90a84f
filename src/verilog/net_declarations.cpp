// Wire, reg and integer declarations of the module body. Each declarator of
// a declaration ("reg [7:0] a = 0, mem [0:3], b;") is treated on its own: its
// initial value is cut off (a wire's becomes a continuous assignment) and an
// array range replaces the declared range of that declarator only.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_helpers.h"
#include "verilog/constant_expression.h"
#include "verilog/continuous_assign.h"
#include "verilog/declarator_split.h"
#include "verilog/port_declarations.h"

namespace corvane {

namespace {

enum class NetKind { kWire, kReg };

struct Declarator {
    std::string_view name;
    std::string_view initialValue;  // from the "=" on, or empty
    int msb = -1;
    int lsb = -1;
};

int clampToInt(std::int64_t value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// The value of a bound that is a constant expression. Plain decimal bounds,
// by far the most common, skip the expression reader.
std::optional<std::int64_t> constantBound(std::string_view text, const ParameterValues& values) {
    if (isDecimalNumber(text))
        return leadingInt(text);
    return evaluateConstantExpression(text, values);
}

// The name, initial value and range of one declarator. False for a bad array
// range, which drops the whole declaration.
bool parseDeclarator(std::string_view piece, int msb, int lsb, const ParameterValues& values,
                     Declarator& declarator) {
    const std::size_t equals = piece.find('=');
    const std::string_view declared = piece.substr(0, equals);
    if (equals != std::string_view::npos)
        declarator.initialValue = piece.substr(equals);
    declarator.msb = msb;
    declarator.lsb = lsb;
    const std::size_t open = declared.find('[');
    const std::size_t close = declared.find(']');
    if (open != std::string_view::npos && close != std::string_view::npos && open < close) {
        const BracketRange array = splitBracketRange(declared.substr(open));
        if (!array.wellFormed)
            return false;
        declarator.msb = evaluateBound(array.msbText, values);
        declarator.lsb = evaluateBound(array.lsbText, values);
    }
    declarator.name = declared.substr(0, open);
    return true;
}

template <typename Record>
void appendNet(std::vector<Record>& records, const VerilogParseState& state,
               const Declarator& declarator, int line) {
    Record record;
    record.name = toLowerAscii(declarator.name);
    record.displayName = std::string(declarator.name);
    record.msb = declarator.msb;
    record.lsb = declarator.lsb;
    record.comment = state.commentOf(line);
    record.line = line;
    appendRecord(records, std::move(record));
}

// Appends the records of every declarator in source order; a wire declarator
// with an initial value also gets its assignment. Nothing is appended when
// any declarator has a bad array range.
int declareNets(VerilogParseState& state, std::string_view rest, int msb, int lsb, NetKind kind,
                int line) {
    // Working lists kept from declaration to declaration; nothing called
    // below declares nets again.
    thread_local std::vector<std::string_view> pieces;
    thread_local std::vector<Declarator> declarators;
    splitDeclaratorsInto(rest, pieces);
    declarators.clear();
    for (std::string_view piece : pieces) {
        Declarator declarator;
        if (!parseDeclarator(piece, msb, lsb, state.parameterValues, declarator)) {
            state.errorAt(line, "Multi pin syntax error.\r\n");
            return 1;
        }
        if (!declarator.name.empty())
            declarators.push_back(declarator);
    }
    for (const Declarator& declarator : declarators) {
        if (kind == NetKind::kReg) {
            appendNet(state.module.regs, state, declarator, line);
            continue;
        }
        appendNet(state.module.wires, state, declarator, line);
        if (!declarator.initialValue.empty()) {
            addAssignPiece(state,
                           std::string(declarator.name) + std::string(declarator.initialValue));
        }
    }
    return 0;
}

// The declaration text after "wire" or "reg", without its ";": the first
// range (a bad one drops a wire declaration; a reg continues), then the
// declarators.
int parseNetText(VerilogParseState& state, std::string_view text, NetKind kind, int line) {
    int msb = -1;
    int lsb = -1;
    if (text.starts_with('[')) {
        const BracketRange range = splitBracketRange(text);
        if (!range.wellFormed) {
            state.errorAt(line, "Multi pin syntax error.\r\n");
            if (kind == NetKind::kWire)
                return 1;
        }
        msb = evaluateBound(range.msbText, state.parameterValues);
        lsb = evaluateBound(range.lsbText, state.parameterValues);
        text = range.rest;
    }
    return declareNets(state, text, msb, lsb, kind, line);
}

int parseNetDeclaration(VerilogParseState& state, const std::string& rangeText, NetKind kind,
                        std::string_view missingSemicolon) {
    const int line = state.currentLine;
    DeclarationReader reader(state);
    std::string text = rangeText;
    int result = 1;
    if (reader.glueUntilSemicolon(text)) {
        text.pop_back();
        result = parseNetText(state, text, kind, line);
    } else {
        state.errorAt(line, missingSemicolon);
    }
    // The records carry the declaration's first line; the lines it spans are passed.
    state.currentLine = reader.lastLine();
    return result;
}

}  // namespace

int evaluateBound(std::string_view text, const ParameterValues& values) {
    if (const std::optional<std::int64_t> value = constantBound(text, values))
        return clampToInt(*value);
    const std::size_t plus = text.find('+');
    if (plus != std::string_view::npos && text.find('+', plus + 1) == std::string_view::npos) {
        return clampToInt(static_cast<long long>(leadingInt(text.substr(0, plus))) +
                          leadingInt(text.substr(plus + 1)));
    }
    const std::size_t minus = text.find('-');
    if (minus != std::string_view::npos && text.find('-', minus + 1) == std::string_view::npos) {
        return clampToInt(static_cast<long long>(leadingInt(text.substr(0, minus))) -
                          leadingInt(text.substr(minus + 1)));
    }
    return leadingInt(text);
}

int evaluateBound(std::string_view text) { return evaluateBound(text, ParameterValues()); }

int parseWireDeclaration(VerilogParseState& state, const std::string& rangeText) {
    return parseNetDeclaration(state, rangeText, NetKind::kWire, "';' not exist.(1)\r\n");
}

int parseRegDeclaration(VerilogParseState& state, const std::string& rangeText) {
    return parseNetDeclaration(state, rangeText, NetKind::kReg, "';' not exist.(2)\r\n");
}

int parseIntegerDeclaration(VerilogParseState& state) {
    const int line = state.currentLine;
    DeclarationReader reader(state);
    std::string text;
    const bool complete = reader.glueUntilSemicolon(text);
    state.currentLine = reader.lastLine();
    if (!complete)
        return 1;
    text.pop_back();
    for (std::string_view piece : splitDeclarators(text)) {
        // An array ("integer mem [0:3];") takes its range like a reg array;
        // a malformed one is cut off the name.
        Declarator declarator;
        if (!parseDeclarator(piece, -1, -1, state.parameterValues, declarator)) {
            declarator = Declarator{};
            declarator.name = piece.substr(0, std::min(piece.find('='), piece.find('[')));
        }
        if (!declarator.name.empty())
            appendNet(state.module.regs, state, declarator, line);
    }
    return 0;
}

}  // namespace corvane
