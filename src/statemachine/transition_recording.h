// How transitions of a state are opened and how assignments reach them.
//
// Transitions are told apart by their condition text alone. A condition that
// occurs inside another (the joined condition of an outer branch inside that
// of an inner one, or the empty condition inside every other) links the two:
// a new transition inherits what its outer transitions assigned, and an
// assignment made under an outer condition reaches every transition nested
// in it.
#pragma once

#include <cstdint>
#include <string>

#include "statemachine/concatenation_split.h"
#include "statemachine/state_machine.h"

namespace corvane {

// Bounds the work of one scan: every transition visited and every assignment
// copied spends units. A block that would spend more (only conceivable for
// machine-made input) is rejected instead of taking minutes or gigabytes.
class ScanBudget {
public:
    explicit ScanBudget(std::int64_t units) : remaining_(units) {}
    // Spends `units`; false once the budget is exhausted.
    bool spend(std::int64_t units) {
        remaining_ -= units;
        return remaining_ >= 0;
    }
    bool exhausted() const { return remaining_ < 0; }

private:
    std::int64_t remaining_;
};

// Units spent per scan at most; the largest hand-written machines stay far below.
inline constexpr std::int64_t kScanBudgetUnits = 16'000'000;

// Opens a transition under `condition`: it inherits the assignments of every
// existing transition whose condition occurs in `condition`, and is appended
// only when it inherited at least one.
void openTransition(StateNode& state, const std::string& condition, ScanBudget& budget);

// Records `pairs` under `condition`: in the first transition with exactly
// that condition (a new one when there is none), then in every transition
// whose condition contains it.
void recordAssignment(StateNode& state, const std::string& condition, const AssignmentPairs& pairs,
                      ScanBudget& budget);

}  // namespace corvane
