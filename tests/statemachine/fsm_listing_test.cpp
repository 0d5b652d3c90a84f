// The state machine listing, and the extraction on every block of real
// designs: the example design, the front-end fixtures and the controllers
// written for these tests.
#include "statemachine/fsm_listing.h"

#include <gtest/gtest.h>

#include <string>

#include "statemachine/state_extraction.h"
#include "support/parse_files.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

class RealDesigns : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    RealDesigns() : ParsedFiles(FrontEnds{parseVerilogModule, parseVhdlModule}) {}

    void SetUp() override {
        const std::string examples = std::string(CORVANE_EXAMPLES) + "/rtl/";
        for (const char* file : {"bus_mux.v", "counter.v", "handshake_fsm.v", "top.v"}) {
            analyseFile(examples + file);
        }
        for (const char* file : {"uart_top.vhd", "uart_tx.vhd"}) {
            analyseFile(std::string(CORVANE_EXAMPLES) + "/vhdl/" + file);
        }
        for (const char* fixture :
             {"verilog/realistic.v", "vhdl/blinker.vhd", "vhdl/serial/serial_tx.vhd",
              "driver/design.v", "project/rtl/top.v", "statemachine/controllers.v",
              "statemachine/door.vhd"}) {
            analyseFile(corvane::testing::fixturePath(fixture));
        }
    }
};

TEST_F(RealDesigns, ListsTheMachinesADesignerSees) {
    EXPECT_EQ(stateMachineListingText(modules),
              "handshake_fsm 27 state 4\n"
              "uart_tx 32 state 4\n"
              "fsm 29 state 2\n"
              "blinker 52 state 2\n"
              "serial_tx 42 state 2\n"
              "traffic_light 13 phase 3\n"
              "tx_ctrl 53 state 3\n"
              "door 19 ds 4\n")
        << log.text();
}

TEST_F(RealDesigns, EveryOtherBlockGivesAClearCode) {
    std::string codes;
    for (const Module& module : modules) {
        for (const Always& block : module.alwaysBlocks) {
            StateMachine machine;
            codes += module.name + ":" + std::to_string(block.line) + "=" +
                     std::to_string(extractStateMachine(module, block.line, machine)) + " ";
        }
    }
    // Clocked blocks without a case give -2.
    EXPECT_EQ(codes,
              "counter:15=-2 handshake_fsm:20=-2 handshake_fsm:27=0 uart_top:37=-2 uart_tx:32=0 "
              "counter:11=-2 fsm:26=-2 fsm:29=0 blinker:37=-2 blinker:52=0 blinker:69=-2 "
              "serial_tx:42=0 sub:7=-2 sub:6=-2 traffic_light:13=0 tx_ctrl:49=-2 tx_ctrl:53=0 "
              "door:19=0 ");
}

TEST_F(RealDesigns, ResolvesTheControllersTransitions) {
    StateMachine light;
    ASSERT_EQ(extractStateMachine(*modules.find("traffic_light"), 13, light), 0);
    ASSERT_EQ(light.states.size(), 4u);
    const Transition& slow = light.states[1].transitions.back();
    EXPECT_EQ(slow.condition, "(timer_done)");
    EXPECT_EQ(slow.target, "STOP");
    EXPECT_EQ(slow.assignments.at("yellow"), "0");
    EXPECT_EQ(slow.assignments.at("green"), "0");

    StateMachine tx;
    ASSERT_EQ(extractStateMachine(*modules.find("tx_ctrl"), 53, tx), 0);
    ASSERT_EQ(tx.states[1].transitions.size(), 2u);
    EXPECT_EQ(tx.states[1].transitions[1].target, "2'b10");
    EXPECT_EQ(tx.states[1].transitions[1].assignments.at("shift"), "1");

    // The example transmitter: four states, the stop bit going back to idle.
    StateMachine uart;
    ASSERT_EQ(extractStateMachine(*modules.find("uart_tx"), 32, uart), 0);
    ASSERT_EQ(uart.states.size(), 4u);
    EXPECT_EQ(uart.states[3].name, "STOP_BIT");
    EXPECT_EQ(uart.states[3].transitions.back().target, "IDLE");
    EXPECT_EQ(uart.states[0].transitions.back().condition, "(send='1')");
    EXPECT_EQ(uart.states[0].transitions.back().target, "START_BIT");
    EXPECT_EQ(uart.states[1].transitions[1].target, "DATA");
    std::string intoStop;
    for (const Transition& transition : uart.states[2].transitions) {
        if (transition.target == "STOP_BIT") intoStop = transition.condition;
    }
    EXPECT_EQ(intoStop, "(baud=LAST_CYCLE) and (bit_idx=DATA_BITS-1)");

    // Two-block machines in both languages: the combinational block assigns
    // next_state, which the clocked block copies into the state register.
    StateMachine blinker;
    ASSERT_EQ(extractStateMachine(*modules.find("blinker"), 52, blinker), 0);
    EXPECT_EQ(blinker.states[0].transitions[0].target, "RUN");
    EXPECT_EQ(blinker.states[0].transitions[0].assignments.count("next_state"), 0u);

    // The example handshake controller: every item's body is a single if
    // without begin-end.
    StateMachine handshake;
    ASSERT_EQ(extractStateMachine(*modules.find("handshake_fsm"), 27, handshake), 0);
    std::string arrows;
    for (const StateNode& state : handshake.states) {
        for (const Transition& transition : state.transitions) {
            arrows += state.name + " -" + transition.condition + "-> " + transition.target + "; ";
        }
    }
    EXPECT_EQ(arrows,
              "IDLE -(start)-> REQUEST; REQUEST -(ack)-> WAIT_LOW; WAIT_LOW -(!ack)-> FINISH; "
              "FINISH --> IDLE; ");
}

TEST(StateMachineListing, FormatsOneLinePerBlock) {
    EXPECT_EQ(formatStateMachineListing({{"top", 12, "st", 5}, {"m", 3, "s", 1}}),
              "top 12 st 5\nm 3 s 1\n");
    EXPECT_EQ(formatStateMachineListing({}), "");
}

}  // namespace
}  // namespace corvane
