// Net table construction with the connection checks on a module of N wires:
// the plain scans (every net scans every block) against the indexed checker.
#include <benchmark/benchmark.h>

#include <string>

#include "database/net_table.h"
#include "database/verilog_operator_table.h"
#include "diagnostics/message_log.h"
#include "elaboration/connection_checks.h"

namespace corvane {
namespace {

FormulaToken operand(const std::string& text, int line) {
    FormulaToken token;
    token.text = token.displayText = text;
    token.op = -1;
    token.line = line;
    return token;
}

FormulaToken op(int index, int line) {
    FormulaToken token;
    token.text = token.displayText = std::string(kVerilogOperators[index].text);
    token.op = index;
    token.line = line;
    return token;
}

std::string wireName(int i) { return "w" + std::to_string(i); }

// w<i> = w<i+1>[3] & w<i+2>, always blocks reading and writing ten wires
// each, children connecting ten wires each.
Module generatedModule(int wires) {
    Module module;
    for (int i = 0; i < wires; ++i) {
        Wire wire;
        wire.name = wire.displayName = wireName(i);
        wire.msb = 7;
        wire.lsb = 0;
        module.wires.push_back(wire);
    }
    for (int i = 0; i < wires; ++i) {
        Assign assign;
        assign.name = assign.displayName = wireName(i);
        assign.line = i;
        assign.lhsTokens = {operand(wireName(i), i)};
        assign.rhsTokens = {operand(wireName((i + 1) % wires), i), op(kVerilogOpOpenBracket, i),
                            operand("3", i), op(kVerilogOpCloseBracket, i), op(17, i),
                            operand(wireName((i + 2) % wires), i)};
        module.assigns.push_back(assign);
    }
    for (int b = 0; b < wires / 10; ++b) {
        Always always;
        Child child;
        for (int s = 0; s < 10; ++s) {
            Statement statement;
            statement.targetTokens = {operand(wireName(b * 10 + s), b)};
            statement.valueTokens = {operand(wireName((b * 10 + s + 5) % wires), b)};
            always.statements.push_back(statement);
            Connection connection;
            connection.port = "p" + std::to_string(s);
            connection.signal = wireName((b * 10 + s + 3) % wires) + "[2:0]";
            child.connections.push_back(connection);
        }
        module.alwaysBlocks.push_back(always);
        module.children.push_back(child);
    }
    return module;
}

void BM_PlainChecks(benchmark::State& state) {
    const Module generated = generatedModule(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Module module = generated;
        MessageLog log;
        buildNetTable(module, "m.v", log, [&log](Module& m, const std::string& name) {
            checkVerilogNet(m, name, log);
        });
        benchmark::DoNotOptimize(module.nets.size());
    }
}

void BM_IndexedChecks(benchmark::State& state) {
    const Module generated = generatedModule(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Module module = generated;
        MessageLog log;
        VerilogNetChecker checker(module);
        buildNetTable(module, "m.v", log, checker.hook(log));
        benchmark::DoNotOptimize(module.nets.size());
    }
}

// The copy of the generated module that both measurements include.
void BM_ModuleCopyOnly(benchmark::State& state) {
    const Module generated = generatedModule(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Module module = generated;
        benchmark::DoNotOptimize(module.assigns.size());
    }
}

BENCHMARK(BM_ModuleCopyOnly)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainChecks)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexedChecks)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
