// A whole VHDL file through the analysis entry point with the VHDL front end,
// checked record by record.
#include "vhdl/vhdl_module_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/progress_sink.h"
#include "support/parse_files.h"
#include "support/test_files.h"
#include "support/vhdl_record_checks.h"

namespace corvane {
namespace {

using Stream = std::vector<std::pair<std::string, std::string>>;

Stream streamOf(const Always& block) {
    Stream result;
    for (const Statement& statement : block.statements)
        result.emplace_back(statement.target, statement.value);
    return result;
}

std::vector<std::string> sensitivityOf(const Always& block) {
    std::vector<std::string> names;
    for (const Sensitivity& entry : block.sensitivity)
        names.push_back(entry.name + "/" + std::to_string(entry.edge));
    return names;
}

using testing::AssignExpect;
using testing::PinExpect;
using testing::WireExpect;

class BlinkerFile : public ::testing::Test, protected testing::ParsedFiles<RecordingProgressSink> {
protected:
    BlinkerFile() : ParsedFiles(FrontEnds{{}, parseVhdlModule}) {}

    void SetUp() override {
        path = testing::fixturePath("vhdl/blinker.vhd");
        next = analyseChunk(module, path);
    }

    Module module;
    std::string path;
    int next = 0;
};

TEST_F(BlinkerFile, ModuleGenericsAndPins) {
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(next, 83);  // the line after the end of the file
    EXPECT_EQ(module.language, kVhdl);
    EXPECT_EQ(module.name, "blinker");
    EXPECT_EQ(module.displayName, "Blinker");
    EXPECT_EQ(module.generics,
              (std::map<std::string, std::string>{{"steps", "3"}, {"width", "8"}}));
    const PinExpect pins[] = {{"clk", 0, -1, -1, 12, "system clock"},
                              {"rst_n", 0, -1, -1, 13, ""},
                              {"enable", 0, -1, -1, 14, ""},
                              {"led", 1, 7, 0, 15, "lamp outputs"},
                              {"busy", 1, -1, -1, 16, ""}};
    ASSERT_NO_FATAL_FAILURE(testing::expectPins(module, pins));
    // The working state is cleared after the parse.
    EXPECT_TRUE(module.text.empty());
    EXPECT_TRUE(module.lineComments.empty());
    EXPECT_EQ(progress.values.back(), ProgressSink::kChunkFinished);
}

TEST_F(BlinkerFile, SignalsConstantsAndAssignments) {
    const WireExpect wires[] = {{"state", -1, -1, 22, ""},
                                {"next_state", -1, -1, 22, ""},
                                {"count", 7, 0, 23, ""},
                                {"tick", -1, -1, 24, "prescaler wrap"},
                                {"limit", -1, -1, 25, ""}};
    ASSERT_NO_FATAL_FAILURE(testing::expectWires(module, wires));
    EXPECT_TRUE(module.vhdlTypes.empty());
    const AssignExpect assigns[] = {{"limit", "200", 25},
                                    {"tick", "'1' $when$ count = LIMIT $else$ '0'", 50},
                                    {"busy", "'0' $when$ state = IDLE $else$ '1'", 75}};
    ASSERT_NO_FATAL_FAILURE(testing::expectAssigns(module, assigns));
    // Tokens of "'1' when count = LIMIT else '0'": the when and else entries
    // are brackets that raise the weight of what follows them.
    const std::vector<FormulaToken>& rhs = module.assigns[1].rhsTokens;
    ASSERT_EQ(rhs.size(), 7u);
    EXPECT_EQ(rhs[1].op, 36);
    EXPECT_EQ(rhs[3].op, 18);
    EXPECT_EQ(rhs[3].strength, 18);
    EXPECT_EQ(rhs[4].text, "limit");
    ASSERT_EQ(module.assigns[1].lhsTokens.size(), 1u);
    EXPECT_EQ(module.assigns[1].lhsTokens[0].text, "tick");
}

TEST_F(BlinkerFile, Processes) {
    ASSERT_EQ(module.alwaysBlocks.size(), 3u);
    const Always& prescale = module.alwaysBlocks[0];
    EXPECT_EQ(prescale.line, 37);
    EXPECT_EQ(sensitivityOf(prescale), (std::vector<std::string>{"clk/-1", "rst_n/-1"}));
    EXPECT_EQ(streamOf(prescale), (Stream{{"if", "rst_n='0'"},
                                          {"count", "(others=>'0')"},
                                          {"elif", "$rising_edge$(clk)"},
                                          {"if", "count=limit"},
                                          {"count", "(others=>'0')"},
                                          {"else", ""},
                                          {"count", "count+1"},
                                          {"end", ""},
                                          {"end", ""}}));
    EXPECT_EQ(prescale.statements[0].line, 39);
    EXPECT_EQ(prescale.statements[8].line, 47);

    const Always& fsm = module.alwaysBlocks[1];
    EXPECT_EQ(fsm.line, 52);
    EXPECT_EQ(sensitivityOf(fsm), (std::vector<std::string>{"state/-1", "enable/-1", "tick/-1"}));
    EXPECT_EQ(streamOf(fsm), (Stream{{"next_state", "state"},
                                     {"case", "state"},
                                     {"when", "idle"},
                                     {"if", "enable='1'"},
                                     {"next_state", "run"},
                                     {"end", ""},
                                     {"when", "run"},
                                     {"if", "tick='1'"},
                                     {"next_state", "hold"},
                                     {"end", ""},
                                     {"when", "others"},
                                     {"next_state", "idle"},
                                     {"end", ""}}));
    // The state register is the single token of the case selector.
    ASSERT_EQ(fsm.statements[1].valueTokens.size(), 1u);
    EXPECT_EQ(fsm.statements[1].valueTokens[0].displayText, "state");

    const Always& regs = module.alwaysBlocks[2];
    EXPECT_EQ(regs.line, 69);
    EXPECT_EQ(sensitivityOf(regs), std::vector<std::string>{"clk/-1"});
    EXPECT_EQ(streamOf(regs), (Stream{{"state", "next_state"}}));
}

TEST_F(BlinkerFile, InstancesAndNets) {
    ASSERT_EQ(module.children.size(), 2u);
    const Child& named = module.children[0];
    EXPECT_EQ(named.name, "u_pulse");
    EXPECT_EQ(named.moduleName, "pulse_gen");
    EXPECT_EQ(named.line, 77);
    ASSERT_EQ(named.overrides.size(), 1u);
    EXPECT_EQ(named.overrides[0].name, "len");
    EXPECT_EQ(named.overrides[0].value, "STEPS");
    const std::vector<std::pair<std::string, std::string>> namedConnections = {
        {"clk", "clk"}, {"start", "tick"}, {"pulse", "led"}};
    ASSERT_EQ(named.connections.size(), namedConnections.size());
    for (std::size_t i = 0; i < namedConnections.size(); ++i) {
        EXPECT_EQ(named.connections[i].port, namedConnections[i].first);
        EXPECT_EQ(named.connections[i].signal, namedConnections[i].second);
    }
    const Child& positional = module.children[1];
    EXPECT_EQ(positional.name, "u_pos");
    EXPECT_EQ(positional.line, 81);
    const std::vector<std::pair<std::string, std::string>> positionalConnections = {
        {"clk", "clk"}, {"start", "enable"}, {"pulse", "open"}};
    ASSERT_EQ(positional.connections.size(), positionalConnections.size());
    for (std::size_t i = 0; i < positionalConnections.size(); ++i) {
        EXPECT_EQ(positional.connections[i].port, positionalConnections[i].first);
        EXPECT_EQ(positional.connections[i].signal, positionalConnections[i].second);
    }

    // One net per port and signal, each starting with its declaration; the
    // connection checks add the uses after it.
    const std::vector<std::string> netNames = {"busy",  "clk",        "count", "enable", "led",
                                               "limit", "next_state", "rst_n", "state",  "tick"};
    std::vector<std::string> names;
    for (const auto& [name, net] : module.nets) names.push_back(name);
    EXPECT_EQ(names, netNames);
    const Net& clk = module.nets.at("clk");
    ASSERT_FALSE(clk.terminals.empty());
    EXPECT_EQ(clk.terminals[0].kind, kKindPin);
    EXPECT_EQ(clk.terminals[0].role, 0);
    EXPECT_GT(clk.terminals.size(), 1u);
    const Net& tick = module.nets.at("tick");
    EXPECT_EQ(tick.terminals[0].kind, kKindWire);
    EXPECT_EQ(tick.terminals[0].index, 3);
    EXPECT_GT(tick.terminals.size(), 1u);
}

}  // namespace
}  // namespace corvane
