// The summary, connection and net reports on VHDL modules: the serial
// transmitter fixture and the parity generator it instantiates, analysed as
// the driver analyses them, with the reports compared byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "elaboration/connection_checks.h"
#include "reports/connection_report.h"
#include "reports/summary_report.h"
#include "support/parse_files.h"
#include "support/test_files.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

class SerialReports : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    SerialReports() : ParsedFiles(FrontEnds{{}, parseVhdlModule}) {}

    void SetUp() override {
        for (const std::string& path : {txPath, parityPath}) analyseFile(path);
        resolveChildPortDirections(modules);
        ASSERT_EQ(log.text(), "");
        ASSERT_EQ(modules.size(), 2u);
    }

    // The net report of serial_tx's net `net`, as the log holds it afterwards.
    std::string netReport(const std::string& net) {
        writeNetReport(modules, "serial_tx", net, log);
        return std::string(log.text());
    }

    const std::string txPath = testing::fixturePath("vhdl/serial/serial_tx.vhd");
    const std::string parityPath = testing::fixturePath("vhdl/serial/parity_gen.vhd");
};

TEST_F(SerialReports, SummaryCountsPortBitsByModeAndListsBothInstances) {
    // Inputs clk, rst, start, data(7:0), level(0 to 3); outputs tx and the
    // buffer port busy; inout debug(1:0). VHDL modules have no registers.
    EXPECT_EQ(buildSummaryReport(modules, *modules.find("serial_tx")),
              "\r\n"
              "======== Summary ========\r\n"
              "Module name         : serial_tx\r\n"
              "Number of Pins      : 19 (Input : 15, Output : 2, Inout : 2)\r\n"
              "Number of Resisters : 0\r\n"
              "Total Number of Resisters : 0\r\n"
              "Child modules       : parity_gen(u_par), parity_gen(u_chk)\r\n"
              "\r\n"
              "File path           : " +
                  txPath +
                  "\r\n"
                  "File size           : 2046 bytes (74 lines)\r\n"
                  "\r\n");
}

TEST_F(SerialReports, ConnectionReportListsEveryNetInNameOrder) {
    writeConnectionReport(modules, "serial_tx", log);
    // Assignments are scanned before processes and processes before
    // instances; literal actuals are nets of their own; a slice written
    // "BITS-1 downto 1" reads as the single index 8 (the generic's value
    // followed by an operator other than ",").
    EXPECT_EQ(log.text(),
              "\r\n"
              "======== Signal connection of module \"serial_tx\" ========\r\n"
              "Net : \"0\"\r\n"
              "\t68 : wire : [1:0]\r\n"
              "\t68 : assign : OUT : [1:0]\r\n"
              "\t68 : assign : IN : [1:0]\r\n"
              "\t68 : child module parity_gen (u_par) : IN : [1:0]\r\n"
              "\r\n"
              "Net : busy\r\n"
              "\t18 : pin : OUT\r\n"
              "\r\n"
              "Net : clk\r\n"
              "\t12 : pin : IN\r\n"
              "\t42 : formula in always section : Sensitivity list\r\n"
              "\t42 : formula in always section : IN\r\n"
              "\r\n"
              "Net : data\r\n"
              "\t15 : pin : IN : [7:0]\r\n"
              "\t42 : formula in always section : IN : [7:0]\r\n"
              "\t72 : child module parity_gen (u_chk) : IN : [7:0]\r\n"
              "\r\n"
              "Net : debug\r\n"
              "\t19 : pin : I/O : [1:0]\r\n"
              "\t72 : child module parity_gen (u_chk) : OUT : [1:0]\r\n"
              "\r\n"
              "Net : fifo\r\n"
              "\t29 : wire : [0:3]\r\n"
              "\r\n"
              "Net : index\r\n"
              "\t28 : wire : [2:0]\r\n"
              "\t42 : formula in always section : OUT : [2:0]\r\n"
              "\t42 : formula in always section : OUT : [2:0]\r\n"
              "\t42 : formula in always section : IN : [2:0]\r\n"
              "\r\n"
              "Net : last\r\n"
              "\t31 : wire\r\n"
              "\t31 : assign : OUT\r\n"
              "\t42 : formula in always section : IN\r\n"
              "\r\n"
              "Net : level\r\n"
              "\t16 : pin : IN : [0:3]\r\n"
              "\r\n"
              "Net : parity\r\n"
              "\t30 : wire\r\n"
              "\t68 : child module parity_gen (u_par) : OUT\r\n"
              "\r\n"
              "Net : rst\r\n"
              "\t13 : pin : IN\r\n"
              "\t42 : formula in always section : Sensitivity list\r\n"
              "\t42 : formula in always section : IN\r\n"
              "\r\n"
              "Net : shift\r\n"
              "\t27 : wire : [7:0]\r\n"
              "\t66 : assign : IN : [0]\r\n"
              "\t42 : formula in always section : OUT : [7:0]\r\n"
              "\t42 : formula in always section : OUT : [7:0]\r\n"
              "\t42 : formula in always section : IN : [8]\r\n"
              "\t68 : child module parity_gen (u_par) : IN : [7:0]\r\n"
              "\r\n"
              "Net : start\r\n"
              "\t14 : pin : IN\r\n"
              "\t42 : formula in always section : IN\r\n"
              "\r\n"
              "Net : state\r\n"
              "\t26 : wire\r\n"
              "\t66 : assign : IN\r\n"
              "\t42 : formula in always section : OUT\r\n"
              "\t42 : formula in always section : IN\r\n"
              "\t42 : formula in always section : OUT\r\n"
              "\t42 : formula in always section : OUT\r\n"
              "\t42 : formula in always section : OUT\r\n"
              "\r\n"
              "Net : tx\r\n"
              "\t17 : pin : OUT\r\n"
              "\t66 : assign : OUT\r\n"
              "\r\n"
              "Net : x\"ff\"\r\n"
              "\t72 : wire : [8:0]\r\n"
              "\t72 : assign : OUT : [8:0]\r\n"
              "\t72 : assign : IN : [8:0]\r\n"
              "\t72 : child module parity_gen (u_chk) : IN : [8:0]\r\n"
              "\r\n");
}

TEST_F(SerialReports, RisingEdgeClockIsACandidateAndItsEdgeTestALogicUse) {
    // rising_edge(clk) is an ordinary right-side operand of the elsif
    // statement, so the process line is reported as a non-edge use.
    EXPECT_EQ(netReport("clk"),
              "\r\n"
              "======== Net \"clk\" at module \"serial_tx\" ========\r\n"
              "serial_tx - clk\r\n"
              "\t12 : pin : IN\r\n"
              "\t42 : formula in always section : Sensitivity list\r\n"
              "\t42 : formula in always section : IN\r\n"
              "\r\n"
              "#NOTE : " +
                  txPath + " :  : Net \"clk\" is maybe clock signal.\r\n" + "#NOTE : " + txPath +
                  " : 42 : But it is inputted logical circuit as non-edge signal\r\n");
}

TEST_F(SerialReports, NetTraceDescendsIntoTheInstancePort) {
    // data reaches parity_gen as the positional formal d; a net that is in no
    // sensitivity list is no clock candidate.
    EXPECT_EQ(netReport("data"),
              "\r\n"
              "======== Net \"data\" at module \"serial_tx\" ========\r\n"
              "serial_tx - data\r\n"
              "\t15 : pin : IN : [7:0]\r\n"
              "\t42 : formula in always section : IN : [7:0]\r\n"
              "\t72 : child module parity_gen (u_chk)\r\n"
              "\tparity_gen - d\r\n"
              "\t\t8 : pin : IN : [7:0]\r\n"
              "\t\t17 : assign : IN : [7:0]\r\n"
              "\r\n");
}

}  // namespace
}  // namespace corvane
