// Which constructs of an always body are still open, so that a body without
// begin-end (a single if or case) is known to be complete, whether an "else"
// may still follow, where a case expects its next item and when a loop
// without begin-end has got its one statement.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

class AlwaysConstructTracker {
public:
    // Room for the nesting of a typical body, so the stack is allocated once.
    AlwaysConstructTracker() { frames_.reserve(kTypicalDepth); }

    // A begin-end or for level.
    void openLevel() { frames_.push_back(Frame::kLevel); }
    // A case-endcase level.
    void openCase() { frames_.push_back(Frame::kCase); }
    // A for loop whose body is one statement without begin-end.
    void openLoop() { frames_.push_back(Frame::kLoop); }
    // An if or else-if waiting for its statement.
    void openIf() { frames_.push_back(Frame::kIfBody); }
    // An else, a while or another construct waiting for one statement.
    void openSlot() { frames_.push_back(Frame::kSlot); }
    // An "else": takes the innermost completed if that has no else yet.
    void openElse();
    // A case item; an earlier item still waiting for its statement is done.
    void openItem();

    // A statement that is not an "else" starts: the ifs completed before it
    // can no longer take an else.
    void settle();
    // A statement is complete: so is every construct waiting for it, up to
    // the innermost open level or loop; completed ifs may still take an else.
    void completeStatement();
    // An "end" or "endcase" closes the innermost level, which completes the
    // statement that level belonged to.
    void closeLevel();

    // The innermost open construct is a loop whose statement is complete.
    bool loopDone() const { return !frames_.empty() && frames_.back() == Frame::kLoopDone; }
    // Closes that loop; the loop as a whole is then a complete statement.
    void closeLoop();
    // Loops still open inside the innermost level (their statement is
    // missing), which closing that level closes too.
    std::size_t loopsInLevel() const;

    // Nothing is open except completed ifs that could still take an else.
    bool complete() const;
    // Nothing is open except completed ifs and the loops around them: the
    // body is complete unless an "else" follows.
    bool completeUnlessElse() const;
    bool elseMayFollow() const { return !frames_.empty() && frames_.back() == Frame::kIfDone; }
    // The innermost open construct is a case waiting for its next item.
    bool atCaseItem() const { return !frames_.empty() && frames_.back() == Frame::kCase; }

private:
    static constexpr std::size_t kTypicalDepth = 32;

    enum class Frame : std::uint8_t {
        kLevel,
        kCase,
        kLoop,      // waiting for its statement
        kLoopDone,  // its statement is complete, though an else may follow
        kIfBody,
        kIfDone,
        kSlot,
        kItem
    };
    static bool isLevel(Frame frame) { return frame == Frame::kLevel || frame == Frame::kCase; }
    static bool isLoop(Frame frame) { return frame == Frame::kLoop || frame == Frame::kLoopDone; }
    std::vector<Frame> frames_;
};

}  // namespace corvane
