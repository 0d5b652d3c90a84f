#include "schematic/terminal_refresh.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::ModuleBuilder;

// Every kind of terminal with its referenced point set to a distinct value.
class TerminalRefresh : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleBuilder b("top");
        b.pin("a", 0);
        b.pin("y", 1);
        b.pin("io", 2);
        b.wire("w");
        const int assign = b.assign("y");
        b.use("y", kKindAssign, assign, kWrite);
        b.use("a", kKindAssign, assign, kRead);
        const int always = b.always({"clk"});
        b.use("clk", kKindAlways, always, kSens);  // port 0, sensitivity entry 0
        b.use("y", kKindAlways, always, kWrite);   // port 1, past the entries
        const int child = b.child("m", "u1");
        b.use("io", kKindChild, child, kWrite);
        const int initial = b.initial();
        b.use("w", kKindInitial, initial, kRead);
        module = b.module;
        for (std::size_t i = 0; i < module.pins.size(); ++i) {
            module.pins[i].x = 100 + static_cast<int>(i);
            module.pins[i].y = 200 + static_cast<int>(i);
        }
        setPort(module.assigns[0].ports, 300);
        setPort(module.alwaysBlocks[0].ports, 400);
        setPort(module.children[0].ports, 500);
        setPort(module.initialBlocks[0].ports, 600);
        places.fit(module);
        *places.find(0, 0) = {700, 710, 24, 16};
    }

    static void setPort(std::vector<Pin>& ports, int base) {
        for (std::size_t i = 0; i < ports.size(); ++i) {
            ports[i].x = base + static_cast<int>(i);
            ports[i].y = base + 50 + static_cast<int>(i);
        }
    }

    Terminal& terminal(const std::string& net, std::size_t i) {
        return module.nets[net].terminals[i];
    }

    Module module;
    SensitivityPlaces places;
};

TEST_F(TerminalRefresh, CopiesThePointOfWhatATerminalRefersTo) {
    refreshTerminals(module, places);
    struct Case {
        const char* net;
        std::size_t terminal;
        int x, y;
    };
    const Case cases[] = {
        {"a", 0, 100, 200},    // module pin
        {"y", 0, 101, 201},    // module pin
        {"y", 1, 300, 350},    // assign port 0
        {"a", 1, 301, 351},    // assign port 1
        {"clk", 0, 700, 710},  // sensitivity entry (role 16)
        {"y", 2, 401, 451},    // always block port 1
        {"io", 1, 500, 550},   // instance port
        {"w", 1, 600, 650},    // initial block port
        {"w", 0, -1, 0},       // a wire declaration refers to nothing drawable
    };
    for (const Case& c : cases) {
        EXPECT_EQ(terminal(c.net, c.terminal).x, c.x) << c.net << " " << c.terminal;
        EXPECT_EQ(terminal(c.net, c.terminal).y, c.y) << c.net << " " << c.terminal;
    }
}

TEST(SensitivityTerminals, StandForTheEntryTheirPortIsNamedAfter) {
    // The connection checks record uses net by net, so the block ports of the
    // sensitivity uses follow the order of the nets, not that of the entries.
    ModuleBuilder b("fsm");
    const int always = b.always({"state", "start", "ack", "start"});
    b.use("ack", kKindAlways, always, kSens);          // port 0: entry 2
    b.use("ack", kKindAlways, always, kRead);          // port 1
    b.use("start", kKindAlways, always, kSens);        // port 2: entry 1
    b.use("start", kKindAlways, always, kSens);        // port 3: the second start, entry 3
    b.use("state", kKindAlways, always, kSens, 1, 0);  // port 4: entry 0
    Module module = b.module;
    SensitivityPlaces places;
    places.fit(module);
    for (int e = 0; e < 4; ++e) *places.find(0, e) = {10, 100 + 32 * e, 40, 16};
    struct Case {
        const char* what;
        int portIndex;
        int y;  // 0: refers to nothing
    };
    const Case cases[] = {
        {"ack", 0, 164},
        {"start", 2, 132},
        {"the second start", 3, 196},
        {"state, a bus", 4, 100},
        {"no sensitivity port there: counted among the entries", 1, 132},
        {"no port, no entry", 9, 0},
    };
    for (const Case& c : cases) {
        Terminal t;
        t.kind = kKindAlways;
        t.index = always;
        t.portIndex = c.portIndex;
        t.role = kSens;
        Point point;
        EXPECT_EQ(referencedPoint(module, places, t, point), c.y != 0) << c.what;
        if (c.y != 0) {
            EXPECT_EQ(point.y, c.y) << c.what;
        }
    }
    // A port of direction 16 whose name no entry carries refers to nothing.
    module.alwaysBlocks[0].ports[4].name = "other";
    Terminal t;
    t.kind = kKindAlways;
    t.index = always;
    t.portIndex = 4;
    t.role = kSens;
    EXPECT_FALSE(refersToDrawable(module, places, t));
}

TEST_F(TerminalRefresh, SkipsReferencesOutsideTheVectors) {
    struct Case {
        int kind, index, portIndex, role;
    };
    const Case cases[] = {
        {kKindPin, 3, -1, 0},   {kKindPin, -1, -1, 0},   {kKindAssign, 0, 2, 0},
        {kKindAssign, 1, 0, 0}, {kKindAssign, 0, -1, 0}, {kKindAlways, 0, 1, kSens},
        {kKindAlways, 0, 9, 0}, {kKindChild, 0, -5, 0},  {kKindInitial, 7, 0, 0},
        {kKindReg, 0, 0, 0},    {25, 0, 0, 0},           {-3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Terminal t;
        t.kind = c.kind;
        t.index = c.index;
        t.portIndex = c.portIndex;
        t.role = c.role;
        t.x = -1;
        t.y = 0;
        t.side = 7;
        EXPECT_FALSE(refreshTerminal(module, places, t)) << c.kind << " " << c.index;
        EXPECT_EQ(t.x, -1);
        int side = 7;
        EXPECT_FALSE(generatedSide(module, places, t, side));
        EXPECT_EQ(side, 7);
    }
}

TEST_F(TerminalRefresh, GeneratedSides) {
    setTerminalSides(module, places);
    struct Case {
        const char* net;
        std::size_t terminal;
        int side;
    };
    const Case cases[] = {
        {"a", 0, kSideRight},   // input pin: the wire leaves to the right
        {"y", 0, kSideLeft},    // output pin faces left
        {"io", 0, kSideRight},  // inout pin faces right like an input
        {"y", 1, kSideRight},   // assign output port
        {"a", 1, kSideLeft},    // assign input port
        {"clk", 0, kSideLeft},  // sensitivity entry
        {"y", 2, kSideRight},   // always output port past the entries
        {"io", 1, kSideRight},  // instance output port
        {"w", 1, kSideLeft},    // initial input port
        {"w", 0, 0},            // declaration untouched
    };
    for (const Case& c : cases) {
        EXPECT_EQ(terminal(c.net, c.terminal).side, c.side) << c.net << " " << c.terminal;
    }
}

TEST_F(TerminalRefresh, AlwaysPortBelowTheEntryCountFacesLeft) {
    // A written port whose index is below the number of sensitivity entries
    // faces left even though it is an output.
    Terminal t;
    t.kind = kKindAlways;
    t.index = 0;
    t.portIndex = 0;
    t.role = kWrite;
    module.alwaysBlocks[0].ports[0].direction = 1;
    int side = 1;
    ASSERT_TRUE(generatedSide(module, places, t, side));
    EXPECT_EQ(side, kSideLeft);
}

}  // namespace
}  // namespace corvane
