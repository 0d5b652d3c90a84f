// The state of one Verilog chunk parse, shared by the module parser and its
// sub-parsers: the module being filled, where messages go, the current line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "database/token_reader.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "verilog/constant_expression.h"

namespace corvane {

// A pin whose range names a parameter not declared yet: the bound texts,
// evaluated again after every later parameter item.
struct DeferredPinRange {
    std::size_t pin = 0;
    std::string msbText;
    std::string lsbText;
};

// The ranges waiting for their parameters, and how many evaluations of them
// a module may still cause.
struct DeferredPinRanges {
    static constexpr std::size_t kEvaluationBudget = 1 << 16;
    std::vector<DeferredPinRange> entries;
    std::size_t evaluationsLeft = kEvaluationBudget;
    bool empty() const { return entries.empty(); }
};

struct VerilogParseState {
    Module& module;
    const std::string& filePath;
    MessageLog& log;
    ProgressSink& progress;
    int currentLine = 0;  // line of the last line marker read
    int inModule = 0;     // 1 between "module" and "endmodule"
    // Values of the parameters declared so far, for evaluating ranges.
    ParameterValues parameterValues = {};
    // The header lists the ports as "(...)": the body's port declarations
    // declare them.
    bool openPortList = false;
    DeferredPinRanges deferredPinRanges = {};

    std::string next() { return nextToken(module); }
    // The next token as a view (see nextTokenView), for callers that only
    // compare it or copy it somewhere.
    std::string_view nextView() { return nextTokenView(module); }
    void pushBack() { pushBackToken(module); }
    // True once the last token of the text has been returned.
    bool exhausted() const { return module.readPos < 0; }

    // Error prefix at the current line (or at `line`), then the message, which
    // carries its own "\r\n".
    void error(std::string_view message) const { log.logError(filePath, currentLine, message); }
    void errorAt(int line, std::string_view message) const { log.logError(filePath, line, message); }

    // The end-of-line comment of `line`, or "".
    std::string commentOf(int line) const {
        const auto found = module.lineComments.find(line);
        return found == module.lineComments.end() ? std::string() : found->second;
    }
    std::vector<std::string> unrecordedVariables = {};  // real and time names: targets without a Reg
};

// Appends a pin, wire, reg or assignment record. An empty list first gets
// room for a few: modules mostly declare several of each, and a list grown
// one record at a time moves its records at every doubling.
template <typename Record>
void appendRecord(std::vector<Record>& records, Record&& record) {
    constexpr std::size_t kFirstRoom = 8;
    if (records.capacity() == 0) records.reserve(kFirstRoom);
    records.push_back(std::move(record));
}

}  // namespace corvane
