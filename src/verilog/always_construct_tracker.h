// Which constructs of an always body are still open, so that a body without
// begin-end (a single if or case) is known to be complete, and whether an
// "else" may still follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

class AlwaysConstructTracker {
public:
    // Room for the nesting of a typical body, so the stack is allocated once.
    AlwaysConstructTracker() { frames_.reserve(kTypicalDepth); }

    // A begin-end, case-endcase or for level.
    void openLevel() { frames_.push_back(Frame::kLevel); }
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
    // the innermost open level; completed ifs may still take an else.
    void completeStatement();
    // An "end" or "endcase" closes the innermost level, which completes the
    // statement that level belonged to.
    void closeLevel();

    // Nothing is open except completed ifs that could still take an else.
    bool complete() const;
    bool elseMayFollow() const { return !frames_.empty() && frames_.back() == Frame::kIfDone; }

private:
    static constexpr std::size_t kTypicalDepth = 32;

    enum class Frame : std::uint8_t { kLevel, kIfBody, kIfDone, kSlot, kItem };
    std::vector<Frame> frames_;
};

}  // namespace corvane
