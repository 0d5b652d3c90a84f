// The JSON export of the design database: the example design against the
// documented schema, read back by a script, and what cannot be written.
#include "site/design_database_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "elaboration/connection_checks.h"
#include "support/batch_run.h"
#include "support/parse_files.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

using testing::readAll;
using testing::shellQuoted;
using testing::TempDir;

// Runs a Python script with `arguments`; its output, and "status N" on failure.
std::string runPython(const TempDir& scratch, const std::string& script,
                      const std::vector<std::string>& arguments) {
    const std::string path = scratch.write("script.py", script);
    std::string command = "python3 " + shellQuoted(path);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " >" + shellQuoted(scratch.path() + "/python.out") + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string out = readAll(scratch.path() + "/python.out");
    return status == 0 ? out : out + "status " + std::to_string(status);
}

const char* const kValidate = R"py(
import json, sys
import jsonschema
schema = json.load(open(sys.argv[1], encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
jsonschema.Draft202012Validator(schema).validate(json.load(open(sys.argv[2], encoding="utf-8")))
print("valid")
)py";

// The kind of script a user writes from the documentation: the ports of one module.
const char* const kPorts = R"py(
import json, sys
design = json.load(open(sys.argv[1], encoding="utf-8"))
module = next(m for m in design["modules"] if m["name"] == sys.argv[2])
for pin in module["pins"]:
    width = "" if pin["range"] is None else "[%d:%d]" % (pin["range"]["msb"], pin["range"]["lsb"])
    print(pin["direction"], width, pin["displayName"], "|", pin["comment"])
)py";

class ExampleJson : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    ExampleJson() : ParsedFiles(FrontEnds{parseVerilogModule, parseVhdlModule}) {}

    void SetUp() override {
        for (const char* file : {"rtl/bus_mux.v", "rtl/counter.v", "rtl/handshake_fsm.v",
                                 "rtl/top.v", "vhdl/uart_top.vhd", "vhdl/uart_tx.vhd"}) {
            analyseFile(std::string(CORVANE_EXAMPLES) + "/" + file);
        }
        resolveChildPortDirections(modules);
    }

    TempDir scratch;
};

TEST_F(ExampleJson, FollowsTheSchemaAndReadsBackInAScript) {
    const std::string path = scratch.path() + "/design.json";
    std::string error;
    ASSERT_TRUE(writeDesignDatabaseJson(modules, path, error)) << error;
    const std::string schema =
        std::string(CORVANE_SOURCE_TREE) + "/../docs/design-database.schema.json";
    EXPECT_EQ(runPython(scratch, kValidate, {schema, path}), "valid\n");
    EXPECT_EQ(runPython(scratch, kPorts, {path, "handshake_fsm"}),
              "input  clk | system clock\n"
              "input  rst_n | asynchronous reset, active low\n"
              "input  start | begin one transfer\n"
              "input  ack | acknowledge from the other side\n"
              "output  req | request to the other side\n"
              "output  busy | a transfer is running\n"
              "output  done | one-cycle pulse at the end of a transfer\n");
    EXPECT_EQ(readAll(path), designDatabaseJson(modules));
}

TEST_F(ExampleJson, HoldsTheStructureScriptsLookFor) {
    const nlohmann::json design = nlohmann::json::parse(designDatabaseJson(modules));
    ASSERT_EQ(design["modules"].size(), modules.size());
    EXPECT_EQ(design["modules"][0]["name"], "bus_mux");  // sorted by name
    const nlohmann::json* top = nullptr;
    const nlohmann::json* fsm = nullptr;
    for (const nlohmann::json& module : design["modules"]) {
        if (module["name"] == "top") top = &module;
        if (module["name"] == "handshake_fsm") fsm = &module;
    }
    ASSERT_TRUE(top != nullptr && fsm != nullptr);
    const nlohmann::json& counter = (*top)["instances"][0];
    EXPECT_EQ(counter["name"], "u_counter");
    EXPECT_EQ(counter["module"], "counter");
    EXPECT_TRUE(counter["analysed"].get<bool>());
    EXPECT_EQ(counter["connections"][0], (nlohmann::json{{"port", "clk"}, {"signal", "clk"}}));
    const nlohmann::json& blocks = (*fsm)["alwaysBlocks"];
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(blocks[0]["stateMachine"].is_null());
    const nlohmann::json& machine = blocks[1]["stateMachine"];
    EXPECT_EQ(machine["stateRegister"], "state");
    ASSERT_EQ(machine["states"].size(), 4u);
    EXPECT_EQ(machine["states"][0]["name"], "IDLE");
    EXPECT_EQ(machine["states"][0]["transitions"][0],
              (nlohmann::json{{"condition", "(start)"}, {"target", "REQUEST"}}));
    bool netWithPinTerminal = false;
    for (const nlohmann::json& net : (*top)["nets"]) {
        for (const nlohmann::json& terminal : net["terminals"]) {
            netWithPinTerminal = netWithPinTerminal ||
                                 (terminal["kind"] == "pin" && terminal["object"] == net["name"]);
        }
    }
    EXPECT_TRUE(netWithPinTerminal);
}

TEST(DesignDatabaseJson, BadTextAndBadTargets) {
    ModuleList modules;
    Module& module = modules.append();
    module.name = "m\xFF";
    module.pins.push_back({"p", "p", 1, 3, 0, std::string("bad \xC3\x28 \0 end", 11), 2});
    const nlohmann::json design = nlohmann::json::parse(designDatabaseJson(modules));
    EXPECT_EQ(design["modules"][0]["name"], "m\xEF\xBF\xBD");
    EXPECT_EQ(design["modules"][0]["pins"][0]["comment"],
              std::string("bad \xEF\xBF\xBD( \0 end", 13));
    EXPECT_EQ(design["modules"][0]["pins"][0]["range"], (nlohmann::json{{"msb", 3}, {"lsb", 0}}));

    const TempDir scratch;
    std::string error;
    const std::string file = scratch.write("plain", "x");
    EXPECT_FALSE(writeDesignDatabaseJson(modules, file + "/design.json", error));
    EXPECT_TRUE(error.find("cannot write") != std::string::npos) << error;
    const ModuleList none;
    EXPECT_FALSE(writeDesignDatabaseJson(none, scratch.path() + "/empty.json", error));
    EXPECT_TRUE(error.find("no module is analysed") != std::string::npos) << error;
    EXPECT_EQ(readAll(scratch.path() + "/empty.json"), "");
}

}  // namespace
}  // namespace corvane
