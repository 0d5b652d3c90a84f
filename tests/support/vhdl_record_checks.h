// Record-by-record checks of an analysed module against tables of expected
// pins, wires and assignments, each failure naming the record it is about.
#pragma once

#include <gtest/gtest.h>

#include <span>

#include "database/records.h"

namespace corvane::testing {

struct PinExpect {
    const char* name;
    int direction, msb, lsb, line;
    const char* comment;
};

struct WireExpect {
    const char* name;
    int msb, lsb, line;
    const char* comment;
    const char* displayName = nullptr;  // not checked when null
};

struct AssignExpect {
    const char* name;
    const char* expression;
    int line;
};

inline void expectPins(const Module& module, std::span<const PinExpect> pins) {
    ASSERT_EQ(module.pins.size(), pins.size());
    for (std::size_t i = 0; i < pins.size(); ++i) {
        SCOPED_TRACE(pins[i].name);
        EXPECT_EQ(module.pins[i].name, pins[i].name);
        EXPECT_EQ(module.pins[i].direction, pins[i].direction);
        EXPECT_EQ(module.pins[i].msb, pins[i].msb);
        EXPECT_EQ(module.pins[i].lsb, pins[i].lsb);
        EXPECT_EQ(module.pins[i].line, pins[i].line);
        EXPECT_EQ(module.pins[i].comment, pins[i].comment);
    }
}

inline void expectWires(const Module& module, std::span<const WireExpect> wires) {
    ASSERT_EQ(module.wires.size(), wires.size());
    for (std::size_t i = 0; i < wires.size(); ++i) {
        SCOPED_TRACE(wires[i].name);
        EXPECT_EQ(module.wires[i].name, wires[i].name);
        if (wires[i].displayName != nullptr) {
            EXPECT_EQ(module.wires[i].displayName, wires[i].displayName);
        }
        EXPECT_EQ(module.wires[i].msb, wires[i].msb);
        EXPECT_EQ(module.wires[i].lsb, wires[i].lsb);
        EXPECT_EQ(module.wires[i].line, wires[i].line);
        EXPECT_EQ(module.wires[i].comment, wires[i].comment);
    }
}

inline void expectAssigns(const Module& module, std::span<const AssignExpect> assigns) {
    ASSERT_EQ(module.assigns.size(), assigns.size());
    for (std::size_t i = 0; i < assigns.size(); ++i) {
        SCOPED_TRACE(assigns[i].name);
        EXPECT_EQ(module.assigns[i].name, assigns[i].name);
        EXPECT_EQ(module.assigns[i].expression, assigns[i].expression);
        EXPECT_EQ(module.assigns[i].line, assigns[i].line);
    }
}

}  // namespace corvane::testing
