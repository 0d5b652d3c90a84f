// A realistic VHDL file (tests/fixtures/vhdl/serial/serial_tx.vhd) through the
// analysis entry point, checked record by record: generics, ports of every
// mode and of scalar, vector and unsigned types, signals of an enumeration,
// vector and array type, a constant, a component, a clocked state machine,
// a conditional assignment and two instances with named and positional
// associations, a generic map, an (others => '0') actual and an x"FF" literal.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/parse_files.h"
#include "support/test_files.h"
#include "support/vhdl_record_checks.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

struct Line {
    std::string target;
    std::string value;
    int line;
    bool operator==(const Line&) const = default;
};

using testing::AssignExpect;
using testing::PinExpect;
using testing::WireExpect;

class SerialTxFile : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    SerialTxFile() : ParsedFiles(FrontEnds{{}, parseVhdlModule}) {}

    void SetUp() override {
        next = analyseChunk(module, testing::fixturePath("vhdl/serial/serial_tx.vhd"));
    }

    Module module;
    int next = 0;
};

TEST_F(SerialTxFile, EntityGenericsAndPorts) {
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(next, 74);
    EXPECT_EQ(module.name, "serial_tx");
    EXPECT_EQ(module.displayName, "Serial_Tx");
    EXPECT_EQ(module.charCount, 2046);
    EXPECT_EQ(module.lineCount, 74);
    EXPECT_EQ(module.generics,
              (std::map<std::string, std::string>{{"bits", "8"}, {"divider", "16"}}));
    // BITS-1 downto 0 takes the generic's value; "0 to 3" keeps its order;
    // buffer is an output.
    const PinExpect pins[] = {{"clk", 0, -1, -1, 12, "transmit clock"},
                              {"rst", 0, -1, -1, 13, ""},
                              {"start", 0, -1, -1, 14, ""},
                              {"data", 0, 7, 0, 15, ""},
                              {"level", 0, 0, 3, 16, ""},
                              {"tx", 1, -1, -1, 17, "serial line"},
                              {"busy", 1, -1, -1, 18, ""},
                              {"debug", 2, 1, 0, 19, ""}};
    ASSERT_NO_FATAL_FAILURE(testing::expectPins(module, pins));
}

TEST_F(SerialTxFile, SignalsConstantTypesAndLiteralNets) {
    // The literal actuals of the instances come last, as nets of their own:
    // "0" from (others => '0') with one bit between its quotes, x"FF" with
    // four bits per digit.
    const WireExpect wires[] = {
        {"state", -1, -1, 26, "", "state"},   {"shift", 7, 0, 27, "frame being sent", "shift"},
        {"index", 2, 0, 28, "", "index"},     {"fifo", 0, 3, 29, "", "fifo"},
        {"parity", -1, -1, 30, "", "parity"}, {"last", -1, -1, 31, "", "LAST"},
        {"\"0\"", 1, 0, 68, "", "\"0\""},     {"x\"ff\"", 8, 0, 72, "", "x\"FF\""}};
    ASSERT_NO_FATAL_FAILURE(testing::expectWires(module, wires));
    // Only the array type is recorded; the enumeration is not.
    ASSERT_EQ(module.vhdlTypes.size(), 1u);
    EXPECT_EQ(module.vhdlTypes[0].name, "fifo_t");
    EXPECT_EQ(module.vhdlTypes[0].msb, 0);
    EXPECT_EQ(module.vhdlTypes[0].lsb, 3);

    const AssignExpect assigns[] = {{"last", "7", 31},
                                    {"tx", "shift(0) $when$ state = SEND $else$ '1'", 66},
                                    {"\"0\"", "\"0\"", 68},
                                    {"x\"ff\"", "x\"FF\"", 72}};
    ASSERT_NO_FATAL_FAILURE(testing::expectAssigns(module, assigns));
    // shift ( 0 ) when state = SEND else '1': the bracket raises the weight of
    // the index, "when" and "else" are brackets of weight 2.
    std::vector<std::pair<std::string, int>> tokens;
    for (const FormulaToken& token : module.assigns[1].rhsTokens)
        tokens.emplace_back(token.text, token.strength);
    EXPECT_EQ(tokens, (std::vector<std::pair<std::string, int>>{{"shift", 0},
                                                                {"(", -1},
                                                                {"0", 0},
                                                                {")", -1},
                                                                {"$when$", -1},
                                                                {"state", 0},
                                                                {"=", 18},
                                                                {"send", 0},
                                                                {"$else$", -1},
                                                                {"'1'", 0}}));
}

TEST_F(SerialTxFile, ClockedStateMachineProcess) {
    ASSERT_EQ(module.alwaysBlocks.size(), 1u);
    const Always& sender = module.alwaysBlocks[0];
    EXPECT_EQ(sender.line, 42);
    ASSERT_EQ(sender.sensitivity.size(), 2u);
    EXPECT_EQ(sender.sensitivity[0].name, "clk");
    EXPECT_EQ(sender.sensitivity[1].name, "rst");
    EXPECT_EQ(sender.sensitivity[1].edge, -1);
    std::vector<Line> stream;
    for (const Statement& statement : sender.statements)
        stream.push_back({statement.target, statement.value, statement.line});
    EXPECT_EQ(stream, (std::vector<Line>{{"if", "rst='1'", 44},
                                         {"state", "idle", 45},
                                         {"index", "(others=>'0')", 46},
                                         {"elif", "$rising_edge$(clk)", 47},
                                         {"case", "state", 48},
                                         {"when", "idle", 49},
                                         {"if", "start='1'", 50},
                                         {"shift", "data", 51},
                                         {"state", "send", 52},
                                         {"end", "", 53},
                                         {"when", "send", 54},
                                         {"shift", "'0'&shift(bits-1$downto$1)", 55},
                                         {"index", "index+1", 56},
                                         {"if", "index=last", 57},
                                         {"state", "stop", 58},
                                         {"end", "", 59},
                                         {"when", "others", 60},
                                         {"state", "idle", 61},
                                         {"end", "", 62},
                                         {"end", "", 63}}));
    // Operands of process statements get the generics substituted.
    const std::vector<FormulaToken>& slice = sender.statements[11].valueTokens;
    ASSERT_GE(slice.size(), 5u);
    EXPECT_EQ(slice[4].text, "8");
    EXPECT_EQ(slice[4].displayText, "8");
}

TEST_F(SerialTxFile, InstancesAndNets) {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    struct ChildExpect {
        const char* name;
        int line;
        Pairs connections;  // formal, actual (lower-cased)
        Pairs overrides;
    };
    // u_chk is positional: its formals come from the component declaration.
    const ChildExpect children[] = {
        {"u_par", 68, {{"d", "shift"}, {"mask", "\"0\""}, {"odd", "parity"}}, {{"width", "BITS"}}},
        {"u_chk", 72, {{"d", "data"}, {"mask", "x\"ff\""}, {"odd", "debug"}}, {}}};
    ASSERT_EQ(module.children.size(), std::size(children));
    for (std::size_t i = 0; i < std::size(children); ++i) {
        SCOPED_TRACE(children[i].name);
        const Child& child = module.children[i];
        EXPECT_EQ(child.name, children[i].name);
        EXPECT_EQ(child.moduleName, "parity_gen");
        EXPECT_EQ(child.line, children[i].line);
        Pairs connections;
        for (const Connection& connection : child.connections)
            connections.emplace_back(connection.port, connection.signal);
        EXPECT_EQ(connections, children[i].connections);
        Pairs overrides;
        for (const ParamOverride& override : child.overrides)
            overrides.emplace_back(override.name, override.value);
        EXPECT_EQ(overrides, children[i].overrides);
    }
    EXPECT_EQ(module.children[1].connections[1].signalDisplay, "x\"FF\"");

    std::vector<std::string> names;
    for (const auto& [name, net] : module.nets) names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"\"0\"", "busy", "clk", "data", "debug", "fifo",
                                               "index", "last", "level", "parity", "rst", "shift",
                                               "start", "state", "tx", "x\"ff\""}));
    // The literal's net: its wire, the assignment to itself, the instance.
    std::vector<int> kinds;
    for (const Terminal& terminal : module.nets.at("x\"ff\"").terminals)
        kinds.push_back(terminal.kind);
    EXPECT_EQ(kinds, (std::vector<int>{kKindWire, kKindAssign, kKindAssign, kKindChild}));
}

}  // namespace
}  // namespace corvane
