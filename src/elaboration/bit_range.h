// Working out the bit range of one use of a net.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "database/name_table.h"
#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

struct BitRange {
    int msb = -1;
    int lsb = -1;
    friend bool operator==(const BitRange&, const BitRange&) = default;
};

// The range of the first pin, reg or wire named `name`, else of a generic of
// that name (both bounds its value), else -1, -1.
BitRange declaredRange(const Module& module, std::string_view name);

// The same answers as declaredRange, looked up in a table built once per
// module, for callers that resolve many uses. The table reflects the pins,
// regs, wires and generics at construction.
class DeclaredRangeIndex {
public:
    DeclaredRangeIndex() = default;
    explicit DeclaredRangeIndex(const Module& module) { rebuild(module); }

    // Forgets the old module's declarations and takes those of `module`,
    // keeping the storage.
    void rebuild(const Module& module);
    BitRange find(std::string_view name) const;
    // Whether `name` is a pin, reg, wire or generic of the module.
    bool contains(std::string_view name) const { return names_.find(name) >= 0; }
    std::size_t footprint() const {
        return names_.footprint() + ranges_.capacity() * sizeof(BitRange);
    }

private:
    void add(std::string_view name, BitRange range);

    NameTable names_;
    std::vector<BitRange> ranges_;  // per name id
};

// How a bit select is written in one language, with the connection error
// numbers it reports.
struct SelectSyntax {
    int openOp;       // operator index of the opening bracket
    int separatorOp;  // operator index of the separator of two bounds
    char open;
    char close;
    char separator;
    bool loopVariable;       // whether an index naming the loop variable takes the loop's range
    int textUnclosedError;   // text: opening bracket without a closing one
    int openLastError;       // tokens: the opening bracket is the last token
    int indexLastError;      // tokens: the first index is the last token
    int separatorLastError;  // tokens: the separator is the last token
};

// Verilog: "[" and ":" (errors 0 to 3); VHDL: "(" and "," (errors 7, 4, 5, 6).
extern const SelectSyntax kVerilogSelect;
extern const SelectSyntax kVhdlSelect;

// Resolves the bit ranges of uses in one module. Declared ranges come from
// `index` when one is given, otherwise from the module's records.
class RangeResolver {
public:
    explicit RangeResolver(const Module& module, const DeclaredRangeIndex* index = nullptr);

    BitRange declared(std::string_view name) const;

    // Range of the operand at `index` of `tokens`; false after writing the
    // connection error of a select that the token list cuts short.
    bool fromTokens(const std::vector<FormulaToken>& tokens, std::size_t index,
                    const SelectSyntax& syntax, MessageLog& log, BitRange& range) const;

    // Range of a signal text such as "a[7:0]", "b[3]" or "c"; false after
    // writing the connection error of an unclosed select.
    bool fromText(std::string_view text, const SelectSyntax& syntax, MessageLog& log,
                  BitRange& range) const;

private:
    BitRange singleIndex(std::string_view indexText, std::string_view name,
                         const SelectSyntax& syntax) const;

    const Module& module_;
    const DeclaredRangeIndex* index_;
    std::string loopVar_;  // lower-cased, as operand texts are
};

// Whether a select opened in a signal text is closed: the one condition
// under which RangeResolver::fromText fails.
bool selectCloses(std::string_view text, const SelectSyntax& syntax);

// The name a signal text refers to: the text before any "[" or "(", trimmed.
std::string_view signalTextName(std::string_view text);

// Range of the Verilog operand at `index` of `tokens`; false after writing a
// connection error (1) to (3).
bool rangeFromTokens(const Module& module, const std::vector<FormulaToken>& tokens,
                     std::size_t index, MessageLog& log, BitRange& range);

// Range of a Verilog signal text such as "a[7:0]", "b[3]" or "c"; false after
// writing connection error (0).
bool rangeFromText(const Module& module, std::string_view text, MessageLog& log, BitRange& range);

// Range of the VHDL operand at `index` of `tokens`; false after writing a
// connection error (4) to (6).
bool rangeFromVhdlTokens(const Module& module, const std::vector<FormulaToken>& tokens,
                         std::size_t index, MessageLog& log, BitRange& range);

// Range of a VHDL signal text such as "a(7,0)", "b(3)" or "c"; false after
// writing connection error (7).
bool rangeFromVhdlText(const Module& module, std::string_view text, MessageLog& log,
                       BitRange& range);

}  // namespace corvane
