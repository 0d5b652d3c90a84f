#include "database/net_table.h"

#include <gtest/gtest.h>

#include "database/module_list.h"
#include "diagnostics/message_log.h"

namespace corvane {
namespace {

Pin pin(const std::string& name, int direction, int line, int msb = -1, int lsb = -1) {
    Pin p;
    p.name = p.displayName = name;
    p.direction = direction;
    p.line = line;
    p.msb = msb;
    p.lsb = lsb;
    return p;
}

Assign assign(const std::string& target, int line) {
    Assign a;
    a.name = a.displayName = target;
    a.line = line;
    return a;
}

class NetTable : public ::testing::Test {
protected:
    MessageLog log;
    std::vector<std::string> checked;
    NetCheck recordingCheck() {
        return [this](Module& module, const std::string& name) {
            checked.push_back(name);
            // The checks append use terminals; an out-of-range kind is dropped at the end.
            Terminal use;
            use.kind = 3;
            module.nets[name].terminals.push_back(use);
            use.kind = 26;
            module.nets[name].terminals.push_back(use);
        };
    }
};

TEST_F(NetTable, DeclarationsInOrderWithFirstDeclarationWinning) {
    Module module;
    module.pins = {pin("q", 1, 2, 7, 0), pin("d", 0, 3)};
    Reg reg;
    reg.name = "q";  // an output declared as a register: one net, the pin's terminal
    module.regs = {reg};
    Wire wire;
    wire.name = "w";
    wire.line = 5;
    module.wires = {wire};
    buildNetTable(module, "m.v", log, recordingCheck());

    EXPECT_EQ(checked, (std::vector<std::string>{"q", "d", "w"}));
    ASSERT_EQ(module.nets.size(), 3u);
    const auto& q = module.nets.at("q").terminals;
    ASSERT_EQ(q.size(), 2u);  // declaration + kind-3 use; the kind-26 use is gone
    EXPECT_EQ(q[0].kind, kKindPin);
    EXPECT_EQ(q[0].role, 1);
    EXPECT_EQ(q[0].msb, 7);
    EXPECT_EQ(q[0].x, -1);
    EXPECT_EQ(q[0].portIndex, -1);
    EXPECT_EQ(q[1].kind, kKindAssign);
    const Terminal& w = module.nets.at("w").terminals[0];
    EXPECT_EQ(w.kind, kKindWire);
    EXPECT_EQ(w.role, -1);
    EXPECT_EQ(w.line, 5);
    EXPECT_EQ(log.size(), 0u);
}

TEST_F(NetTable, DuplicatePinIsReportedOnce) {
    Module module;
    module.pins = {pin("a", 0, 1), pin("a", 0, 4)};
    buildNetTable(module, "dir/m.v", log, recordingCheck());
    EXPECT_EQ(module.nets.size(), 1u);
    EXPECT_EQ(log.text(), "#ERROR : dir/m.v : 4 : \"a\" is already defined.\r\n");
    EXPECT_EQ(checked.size(), 1u);
}

TEST_F(NetTable, ImplicitWiresFromVerilogAssignTargets) {
    Module module;
    Wire wire;
    wire.name = "bus";
    module.wires = {wire};
    module.assigns = {assign("bus", 2), assign("x", 3), assign("bus[3]", 4), assign("{p,q}", 5),
                      assign("x", 6)};
    buildNetTable(module, "m.v", log, NetCheck{});
    ASSERT_EQ(module.nets.size(), 2u);  // bus and x; selects and concatenations name no net
    const auto& x = module.nets.at("x").terminals;
    ASSERT_EQ(x.size(), 1u);
    EXPECT_EQ(x[0].kind, kKindWire);
    EXPECT_EQ(x[0].index, 1);  // the first assign to x
    EXPECT_EQ(x[0].line, 3);
    EXPECT_EQ(x[0].msb, -1);

    Module vhdl = module;
    vhdl.nets.clear();
    vhdl.language = kVhdl;
    buildNetTable(vhdl, "m.vhd", log, NetCheck{});
    EXPECT_EQ(vhdl.nets.size(), 1u);
}

TEST_F(NetTable, EmptyPortListStillGetsNets) {
    Module module;
    Reg reg;
    reg.name = "r";
    module.regs = {reg};
    buildNetTable(module, "m.v", log, NetCheck{});
    EXPECT_EQ(module.nets.at("r").terminals[0].kind, kKindReg);
}

TEST(ModuleListTest, AppendFindRemoveInOrder) {
    ModuleList list;
    list.append().name = "a";
    list.append().name = "b";
    list.append().name = "a";
    EXPECT_EQ(list.find("a"), &*list.begin());
    EXPECT_EQ(list.find("c"), nullptr);
    EXPECT_TRUE(list.removeByName("a"));
    std::vector<std::string> names;
    for (const Module& m : list) names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"b", "a"}));
    list.removeLast();
    EXPECT_EQ(list.size(), 1u);

    const Module fresh;
    EXPECT_EQ(fresh.gridSnap, 1);
    EXPECT_EQ(fresh.gridSize, 16);
    EXPECT_EQ(fresh.summaryGridSnap, 0);
    EXPECT_EQ(fresh.zoom, 1.0);
    EXPECT_EQ(fresh.readPos, 0);
}

}  // namespace
}  // namespace corvane
