#include "statemachine/state_scan.h"

#include <optional>

#include "statemachine/concatenation_split.h"
#include "statemachine/condition_text.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

class StateScanner {
public:
    StateScanner(const Module& module, StateMachine& machine)
        : module_(module), machine_(machine), verilog_(module.language != kVhdl) {}

    StateScan run(const std::vector<Statement>& statements) {
        // Everything before the state case is skipped without a trace.
        std::size_t next = 0;
        while (next < statements.size() && !foundRegister(statements[next])) ++next;
        if (next == statements.size()) return scan_;
        scan_.previousKeyword = "case";
        for (++next; next < statements.size(); ++next) {
            following_ = next + 1 < statements.size() ? &statements[next + 1] : nullptr;
            if (!step(statements[next])) break;
        }
        if (budget_.exhausted()) scan_.rejected = true;
        return scan_;
    }

private:
    // The state case: the first case statement over a single token.
    bool foundRegister(const Statement& statement) {
        if (statement.target != "case" || statement.valueTokens.size() != 1) return false;
        machine_.stateRegister = statement.valueDisplay;
        return true;
    }

    // Handles one statement; false when the scan stops.
    bool step(const Statement& statement) {
        const std::string& keyword = statement.target;
        if (keyword == "when" && scan_.nestedCaseDepth != -1) {
            // An item of a nested case is passed over entirely, so the
            // previous keyword still tells whether a following "begin" opens
            // a level of its own.
            return true;
        }
        if (verilog_ && branchAwaitingBody_) {
            // The statement after a branch keyword tells whether the
            // branch is a begin-end block or a single statement.
            scan_.singleStatement[scan_.depth - 1] = keyword != "begin";
            branchAwaitingBody_ = false;
        }
        const int depthBefore = scan_.depth;
        const bool go = dispatch(statement);
        scan_.previousKeyword = keyword;
        if (verilog_ && go && scan_.depth > depthBefore) noteOpener(keyword);
        return go && !budget_.exhausted();
    }

    // Records what opened the level just opened by `keyword`.
    void noteOpener(const std::string& keyword) {
        LevelOpener opener = LevelOpener::kOther;
        if (keyword == "if" || keyword == "elif") opener = LevelOpener::kIf;
        if (keyword == "else") opener = LevelOpener::kElse;
        if (keyword == "when") opener = LevelOpener::kCaseItem;
        const int level = scan_.depth - 1;
        scan_.levelOpeners[level] = opener;
        scan_.singleStatement[level] = false;
        branchAwaitingBody_ = opener != LevelOpener::kOther;
    }

    // Verilog: closes the innermost level and, after it, every enclosing
    // branch written without begin-end whose single statement has thereby
    // ended. An if statement has not ended while an else or else-if
    // follows. The state case's own level is never closed this way. False
    // when the scan ends.
    bool closeStatementLevel() {
        LevelOpener closed = scan_.levelOpeners[scan_.depth - 1];
        if (!closeLevel()) return false;
        while (scan_.depth > 1 && scan_.singleStatement[scan_.depth - 1]) {
            if (closed == LevelOpener::kIf && elseFollows()) return true;
            closed = scan_.levelOpeners[scan_.depth - 1];
            if (!closeLevel()) return false;
        }
        return true;
    }

    bool elseFollows() const {
        return following_ != nullptr &&
               (following_->target == "else" || following_->target == "elif");
    }

    bool dispatch(const Statement& statement) {
        const std::string& keyword = statement.target;
        // A loop's body ends with an "end" marker in both languages.
        if (keyword == "for") return openLevel(kPlainLevel);
        if (keyword == "if") return onIf(statement);
        if (keyword == "elif") return onElsif(statement);
        if (keyword == "else") return onElse();
        if (keyword == "begin" && verilog_) return onBegin();
        if (keyword == "end") return verilog_ ? closeStatementLevel() : closeLevel();
        if (keyword == "case") return onCase();
        if (keyword == "when") return onWhen(statement);
        return onAssignment(statement);
    }

    bool outsideNestedCase() const { return scan_.nestedCaseDepth == -1; }

    bool afterBranchKeyword() const {
        const std::string& previous = scan_.previousKeyword;
        return previous == "if" || previous == "elif" || previous == "else" || previous == "when";
    }

    // Room for one more level in the level-kind array.
    bool canDeepen() {
        if (scan_.depth < kLevelKindCapacity) return true;
        scan_.rejected = true;
        return false;
    }

    bool openLevel(int kind) {
        if (!canDeepen()) return false;
        scan_.levelKinds[scan_.depth] = kind;
        ++scan_.depth;
        return true;
    }

    // Closes the innermost level; false when that ends the scan.
    bool closeLevel() {
        --scan_.depth;
        const int kind = scan_.levelKinds[scan_.depth];
        const bool openedOutside = outsideNestedCase() || scan_.depth < scan_.nestedCaseDepth;
        if (kind != kPlainLevel && openedOutside) popCondition();
        if (scan_.depth == 0) return false;
        if (scan_.depth < scan_.nestedCaseDepth) scan_.nestedCaseDepth = -1;
        return true;
    }

    void popCondition() {
        if (scan_.conditions.empty()) return;
        scan_.lastClosed = std::move(scan_.conditions.back());
        scan_.conditions.pop_back();
        joinedStale_ = true;
    }

    StateNode* currentState() {
        if (scan_.currentState < 0) return nullptr;
        return &machine_.states[static_cast<std::size_t>(scan_.currentState)];
    }

    // The joined condition stack, rebuilt only after the stack changed; each
    // rebuild is paid for from the budget.
    const std::string& joinedConditions() {
        if (joinedStale_) {
            joined_ = joinConditions(scan_.conditions);
            joinedStale_ = false;
            budget_.spend(1 + static_cast<std::int64_t>(joined_.size() / 64));
        }
        return joined_;
    }

    void pushAndOpen(std::string condition) {
        scan_.conditions.push_back(std::move(condition));
        joinedStale_ = true;
        if (StateNode* state = currentState()) {
            openTransition(*state, joinedConditions(), budget_);
        }
    }

    bool onIf(const Statement& statement) {
        if (!openLevel(kIfLevel)) return false;
        if (outsideNestedCase()) pushAndOpen(branchCondition(statement.valueDisplay));
        return true;
    }

    bool onElsif(const Statement& statement) {
        if (verilog_) {
            if (!openLevel(kElsifLevel)) return false;
        } else {
            scan_.levelKinds[scan_.depth - 1] = kElsifLevel;
        }
        if (!outsideNestedCase()) return true;
        if (!verilog_ && !scan_.conditions.empty()) scan_.conditions.pop_back();
        joinedStale_ = true;
        pushAndOpen(branchCondition(statement.valueDisplay));
        return true;
    }

    bool onElse() {
        ++scan_.elseCounter;
        if (verilog_) {
            // The else level keeps the kind its if or elsif level left behind.
            if (!canDeepen()) return false;
            ++scan_.depth;
        }
        if (!outsideNestedCase()) return true;
        if (!verilog_) popCondition();
        if (scan_.levelKinds[scan_.depth - 1] == kIfLevel) {
            pushAndOpen("not (" + scan_.lastClosed + ")");
        } else {
            pushAndOpen(elsePlaceholder(scan_.elseCounter));
        }
        return true;
    }

    bool onBegin() { return afterBranchKeyword() || openLevel(kPlainLevel); }

    bool onCase() {
        if (!openLevel(kPlainLevel)) return false;
        if (outsideNestedCase()) scan_.nestedCaseDepth = scan_.depth;
        return true;
    }

    bool onWhen(const Statement& statement) {
        const int depthBefore = scan_.depth;
        if (verilog_ && !openLevel(kPlainLevel)) return false;
        scan_.conditions.clear();
        joinedStale_ = true;
        if (statement.value == (verilog_ ? "default" : "others")) {
            if (depthBefore != 1) return true;
            scan_.depth = 0;
            return false;
        }
        machine_.states.push_back(StateNode{statement.valueDisplay, {}, 0, 0});
        scan_.currentState = static_cast<int>(machine_.states.size()) - 1;
        return true;
    }

    bool onAssignment(const Statement& statement) {
        if (StateNode* state = currentState()) {
            const std::string& condition = joinedConditions();
            if (verilog_ && !statement.targetDisplay.empty() && statement.targetDisplay[0] == '{') {
                recordAssignment(*state, condition, splitConcatenation(statement, declarations()),
                                 budget_);
            } else {
                recordAssignment(*state, condition,
                                 {{statement.targetDisplay, statement.valueDisplay}}, budget_);
            }
        }
        // A branch without begin-end ends with its single statement.
        if (verilog_ && afterBranchKeyword()) return closeStatementLevel();
        return true;
    }

    // The module's declarations, indexed when the first concatenation needs them.
    const DeclarationRanges& declarations() {
        if (!declarations_) declarations_.emplace(module_);
        return *declarations_;
    }

    const Module& module_;
    std::optional<DeclarationRanges> declarations_;
    StateMachine& machine_;
    const bool verilog_;
    StateScan scan_;
    ScanBudget budget_{kScanBudgetUnits};
    std::string joined_;
    bool joinedStale_ = false;
    const Statement* following_ = nullptr;  // the statement after the current one
    bool branchAwaitingBody_ = false;       // a branch level was just opened
};

}  // namespace

StateScan scanStateMachine(const Module& module, const Always& block, StateMachine& machine) {
    return StateScanner(module, machine).run(block.statements);
}

}  // namespace corvane
