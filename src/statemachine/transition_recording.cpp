#include "statemachine/transition_recording.h"

namespace corvane {

namespace {

std::int64_t costOf(const std::string& key, const std::string& value) {
    return 1 + static_cast<std::int64_t>((key.size() + value.size()) / 16);
}

std::int64_t visitCost(const std::string& condition) {
    return 1 + static_cast<std::int64_t>(condition.size() / 64);
}

void assignPairs(Transition& transition, const AssignmentPairs& pairs, ScanBudget& budget) {
    for (const auto& [target, value] : pairs) {
        if (!budget.spend(costOf(target, value))) return;
        transition.assignments[target] = value;
    }
}

}  // namespace

void openTransition(StateNode& state, const std::string& condition, ScanBudget& budget) {
    Transition opened;
    opened.condition = condition;
    for (const Transition& existing : state.transitions) {
        if (!budget.spend(visitCost(condition))) return;
        if (condition.find(existing.condition) == std::string::npos) continue;
        for (const auto& [target, value] : existing.assignments) {
            if (!budget.spend(costOf(target, value))) return;
            opened.assignments[target] = value;
        }
    }
    if (!opened.assignments.empty()) state.transitions.push_back(std::move(opened));
}

void recordAssignment(StateNode& state, const std::string& condition, const AssignmentPairs& pairs,
                      ScanBudget& budget) {
    Transition* exact = nullptr;
    for (Transition& transition : state.transitions) {
        if (!budget.spend(visitCost(condition))) return;
        if (transition.condition == condition) {
            exact = &transition;
            break;
        }
    }
    if (exact != nullptr) {
        assignPairs(*exact, pairs, budget);
    } else {
        Transition added;
        added.condition = condition;
        assignPairs(added, pairs, budget);
        state.transitions.push_back(std::move(added));
    }
    for (Transition& transition : state.transitions) {
        if (!budget.spend(visitCost(transition.condition))) return;
        if (transition.condition.find(condition) != std::string::npos) {
            assignPairs(transition, pairs, budget);
        }
    }
}

}  // namespace corvane
