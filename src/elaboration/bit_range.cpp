#include "elaboration/bit_range.h"

#include <algorithm>
#include <string>

#include "database/verilog_operator_table.h"
#include "database/vhdl_operator_table.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

constexpr int kVhdlOpOpenParen = 32;
constexpr int kVhdlOpComma = 38;

static_assert(kVerilogOperators[kVerilogOpOpenBracket].text == "[");
static_assert(kVerilogOperators[kVerilogOpColon].text == ":");
static_assert(kVhdlOperators[kVhdlOpOpenParen].text == "(");
static_assert(kVhdlOperators[kVhdlOpComma].text == ",");

std::string_view trimView(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Writes "Net "<what>" connection error.(<number>)" and answers false, so a
// caller can return the result directly.
bool connectionError(MessageLog& log, std::string_view what, int number) {
    std::string message = "Net \"";
    message.append(what);
    message.append("\" connection error.(");
    message.append(std::to_string(number));
    message.append(")\r\n");
    log.logPlainError(message);
    return false;
}

template <typename Records>
const typename Records::value_type* findByName(const Records& records, std::string_view name) {
    const auto it = std::find_if(records.begin(), records.end(),
                                 [name](const auto& record) { return record.name == name; });
    return it == records.end() ? nullptr : &*it;
}

template <typename Record>
BitRange rangeOf(const Record& record) {
    return BitRange{record.msb, record.lsb};
}

BitRange genericRange(const std::string& value) {
    const int bound = leadingInt(value);
    return BitRange{bound, bound};
}

}  // namespace

const SelectSyntax kVerilogSelect = {
    kVerilogOpOpenBracket, kVerilogOpColon, '[', ']', ':', true, 0, 1, 2, 3,
};
const SelectSyntax kVhdlSelect = {
    kVhdlOpOpenParen, kVhdlOpComma, '(', ')', ',', false, 7, 4, 5, 6,
};

BitRange declaredRange(const Module& module, std::string_view name) {
    if (const Pin* pin = findByName(module.pins, name)) return rangeOf(*pin);
    if (const Reg* reg = findByName(module.regs, name)) return rangeOf(*reg);
    if (const Wire* wire = findByName(module.wires, name)) return rangeOf(*wire);
    const auto generic = module.generics.find(std::string(name));
    if (generic != module.generics.end()) return genericRange(generic->second);
    return BitRange{};
}

// Inserting in precedence order with "first entry wins" gives the same answer
// as the scans of declaredRange.
void DeclaredRangeIndex::rebuild(const Module& module) {
    const std::size_t expected =
        module.pins.size() + module.regs.size() + module.wires.size() + module.generics.size();
    names_.clear(expected);
    ranges_.clear();
    ranges_.reserve(expected);
    for (const Pin& pin : module.pins) add(pin.name, rangeOf(pin));
    for (const Reg& reg : module.regs) add(reg.name, rangeOf(reg));
    for (const Wire& wire : module.wires) add(wire.name, rangeOf(wire));
    for (const auto& [name, value] : module.generics) add(name, genericRange(value));
}

void DeclaredRangeIndex::add(std::string_view name, BitRange range) {
    const int id = names_.findOrAdd(name);
    if (static_cast<std::size_t>(id) == ranges_.size()) ranges_.push_back(range);
}

BitRange DeclaredRangeIndex::find(std::string_view name) const {
    const int id = names_.find(name);
    return id < 0 ? BitRange{} : ranges_[static_cast<std::size_t>(id)];
}

RangeResolver::RangeResolver(const Module& module, const DeclaredRangeIndex* index)
    : module_(module), index_(index), loopVar_(toLowerAscii(module.loopVar)) {}

BitRange RangeResolver::declared(std::string_view name) const {
    return index_ ? index_->find(name) : declaredRange(module_, name);
}

// A single index: a number selects that bit, the loop variable (where the
// language has one) the loop's whole range, anything else the declared range.
BitRange RangeResolver::singleIndex(std::string_view indexText, std::string_view name,
                                    const SelectSyntax& syntax) const {
    const std::string_view index = trimView(indexText);
    if (isDecimalNumber(index)) {
        const int bit = leadingInt(index);
        return BitRange{bit, bit};
    }
    if (syntax.loopVariable && !loopVar_.empty() && index == loopVar_) {
        return BitRange{module_.loopLast, module_.loopFirst};
    }
    return declared(name);
}

bool RangeResolver::fromTokens(const std::vector<FormulaToken>& tokens, std::size_t index,
                               const SelectSyntax& syntax, MessageLog& log, BitRange& range) const {
    range = BitRange{};
    if (index >= tokens.size()) return false;
    const std::string& name = tokens[index].text;
    const std::size_t last = tokens.size() - 1;
    if (index == last || tokens[index + 1].op != syntax.openOp) {
        range = declared(name);
        return true;
    }
    if (index + 1 == last) return connectionError(log, name, syntax.openLastError);
    const FormulaToken& first = tokens[index + 2];
    if (index + 2 == last) return connectionError(log, name, syntax.indexLastError);
    if (tokens[index + 3].op != syntax.separatorOp) {
        range = singleIndex(first.text, name, syntax);
        return true;
    }
    if (index + 3 == last) return connectionError(log, name, syntax.separatorLastError);
    range = BitRange{leadingInt(first.text), leadingInt(tokens[index + 4].text)};
    return true;
}

bool RangeResolver::fromText(std::string_view text, const SelectSyntax& syntax, MessageLog& log,
                             BitRange& range) const {
    range = BitRange{};
    const std::size_t open = text.find(syntax.open);
    if (open == std::string_view::npos) {
        range = declared(trimView(text));
        return true;
    }
    if (!selectCloses(text, syntax)) return connectionError(log, text, syntax.textUnclosedError);
    const std::size_t close = text.find(syntax.close, open + 1);
    const std::size_t separator = text.find(syntax.separator, open + 1);
    if (separator == std::string_view::npos || separator > close) {
        range = singleIndex(text.substr(open + 1, close - open - 1), trimView(text.substr(0, open)),
                            syntax);
        return true;
    }
    range = BitRange{leadingInt(text.substr(open + 1, separator - open - 1)),
                     leadingInt(text.substr(separator + 1, close - separator - 1))};
    return true;
}

bool selectCloses(std::string_view text, const SelectSyntax& syntax) {
    const std::size_t open = text.find(syntax.open);
    return open == std::string_view::npos ||
           text.find(syntax.close, open + 1) != std::string_view::npos;
}

std::string_view signalTextName(std::string_view text) {
    return trimView(text.substr(0, findFirstOf(text, "[(")));
}

bool rangeFromTokens(const Module& module, const std::vector<FormulaToken>& tokens,
                     std::size_t index, MessageLog& log, BitRange& range) {
    return RangeResolver(module).fromTokens(tokens, index, kVerilogSelect, log, range);
}

bool rangeFromText(const Module& module, std::string_view text, MessageLog& log, BitRange& range) {
    return RangeResolver(module).fromText(text, kVerilogSelect, log, range);
}

bool rangeFromVhdlTokens(const Module& module, const std::vector<FormulaToken>& tokens,
                         std::size_t index, MessageLog& log, BitRange& range) {
    return RangeResolver(module).fromTokens(tokens, index, kVhdlSelect, log, range);
}

bool rangeFromVhdlText(const Module& module, std::string_view text, MessageLog& log,
                       BitRange& range) {
    return RangeResolver(module).fromText(text, kVhdlSelect, log, range);
}

}  // namespace corvane
