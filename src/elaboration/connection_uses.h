// The candidate uses of nets inside a module's blocks, named by position, in
// the order the connection checks scan them, and the steps that turn one use
// into a terminal and a block port. Shared by the plain and the indexed checks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "diagnostics/message_log.h"
#include "elaboration/bit_range.h"

namespace corvane {

// Where the text of a use sits in its block.
enum class UseSource : std::uint8_t {
    kAssignLhs,     // an operand of the assign's left-side tokens
    kAssignRhs,     // an operand of the assign's right-side tokens
    kAssignTarget,  // the assign's target text
    kSensitivity,   // the name of a sensitivity entry
    kTargetTokens,  // an operand of a statement's target tokens
    kTargetText,    // a statement's target text
    kValueTokens,   // an operand of a statement's value tokens
    kConnection,    // a child connection's signal text
};

// One candidate use. Positions, not pointers, so a stale reference is
// detected instead of followed.
struct UseRef {
    int kind = 0;  // terminal kind of the block (3 assign, 4 always, 5 child, 6 initial)
    UseSource source = UseSource::kAssignLhs;
    int block = 0;  // index of the block in its list
    int item = 0;   // sensitivity entry, statement or connection index
    int token = 0;  // operand index in a token list
};

// A use with its range worked out.
struct ResolvedUse {
    int role = 0;
    int line = 0;
    BitRange range;
    bool fromTokens = false;  // token uses obey the duplicate-port rule, text uses do not
};

const SelectSyntax& selectSyntaxFor(Language scans);

// Works out role, line and range of `ref`; false when the position no longer
// exists or the select is malformed (after writing its connection error).
bool resolveUse(const Module& module, const UseRef& ref, const RangeResolver& resolver,
                const SelectSyntax& syntax, MessageLog& log, ResolvedUse& use);

// The ports of the block a use belongs to; nullptr when there is no such block.
std::vector<Pin>* blockPorts(Module& module, int kind, int block);

// Whether `ports` already holds a port `name` with this direction and range.
bool hasSamePort(const std::vector<Pin>& ports, std::string_view name, int role, BitRange range);

// Appends the use's terminal to `net` and its port to `ports`.
void recordUse(Net& net, std::vector<Pin>& ports, const UseRef& ref, const std::string& name,
               const ResolvedUse& use);

namespace detail {

template <typename Visit>
void visitOperands(const std::vector<FormulaToken>& tokens, UseRef ref, Visit& visit) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].op != -1) continue;
        ref.token = static_cast<int>(i);
        visit(ref, std::string_view(tokens[i].text));
    }
}

template <typename Visit>
void visitText(const std::string& text, const UseRef& ref, Visit& visit) {
    visit(ref, signalTextName(text));
}

}  // namespace detail

// Calls visit(ref, name) for every candidate use of the module in scan order:
// assigns, always blocks (processes), children, then (Verilog only) initial
// blocks. `name` is the operand text or the name part of a signal text.
template <typename Visit>
void forEachCandidateUse(const Module& module, Language scans, Visit&& visit) {
    using detail::visitOperands;
    using detail::visitText;
    const bool vhdl = scans == kVhdl;
    for (std::size_t a = 0; a < module.assigns.size(); ++a) {
        const Assign& assign = module.assigns[a];
        const int block = static_cast<int>(a);
        if (vhdl) {
            visitText(assign.name, {kKindAssign, UseSource::kAssignTarget, block, 0, 0}, visit);
        } else {
            visitOperands(assign.lhsTokens, {kKindAssign, UseSource::kAssignLhs, block, 0, 0},
                          visit);
        }
        visitOperands(assign.rhsTokens, {kKindAssign, UseSource::kAssignRhs, block, 0, 0}, visit);
    }
    for (std::size_t b = 0; b < module.alwaysBlocks.size(); ++b) {
        const Always& always = module.alwaysBlocks[b];
        const int block = static_cast<int>(b);
        for (std::size_t e = 0; e < always.sensitivity.size(); ++e) {
            visitText(always.sensitivity[e].name,
                      {kKindAlways, UseSource::kSensitivity, block, static_cast<int>(e), 0}, visit);
        }
        for (std::size_t s = 0; s < always.statements.size(); ++s) {
            const Statement& statement = always.statements[s];
            const int item = static_cast<int>(s);
            if (vhdl) {
                visitText(statement.target, {kKindAlways, UseSource::kTargetText, block, item, 0},
                          visit);
            } else {
                visitOperands(statement.targetTokens,
                              {kKindAlways, UseSource::kTargetTokens, block, item, 0}, visit);
            }
            visitOperands(statement.valueTokens,
                          {kKindAlways, UseSource::kValueTokens, block, item, 0}, visit);
        }
    }
    for (std::size_t c = 0; c < module.children.size(); ++c) {
        const Child& child = module.children[c];
        for (std::size_t k = 0; k < child.connections.size(); ++k) {
            visitText(
                child.connections[k].signal,
                {kKindChild, UseSource::kConnection, static_cast<int>(c), static_cast<int>(k), 0},
                visit);
        }
    }
    if (vhdl) return;
    for (std::size_t i = 0; i < module.initialBlocks.size(); ++i) {
        const Initial& initial = module.initialBlocks[i];
        const int block = static_cast<int>(i);
        for (std::size_t s = 0; s < initial.statements.size(); ++s) {
            const Statement& statement = initial.statements[s];
            const int item = static_cast<int>(s);
            visitText(statement.target, {kKindInitial, UseSource::kTargetText, block, item, 0},
                      visit);
            visitOperands(statement.valueTokens,
                          {kKindInitial, UseSource::kValueTokens, block, item, 0}, visit);
        }
    }
}

}  // namespace corvane
