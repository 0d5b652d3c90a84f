#include "verilog/always_construct_tracker.h"

namespace corvane {

void AlwaysConstructTracker::openElse() {
    if (elseMayFollow()) frames_.pop_back();
    frames_.push_back(Frame::kSlot);
}

void AlwaysConstructTracker::openItem() {
    settle();
    if (!frames_.empty() && frames_.back() == Frame::kItem) frames_.pop_back();
    frames_.push_back(Frame::kItem);
}

void AlwaysConstructTracker::settle() {
    while (!frames_.empty() && frames_.back() == Frame::kIfDone) frames_.pop_back();
}

void AlwaysConstructTracker::completeStatement() {
    std::size_t level = frames_.size();
    while (level > 0 && !isLevel(frames_[level - 1]) && !isLoop(frames_[level - 1])) --level;
    // A loop has got its statement.
    if (level > 0 && frames_[level - 1] == Frame::kLoop) frames_[level - 1] = Frame::kLoopDone;
    // Above the innermost level or loop only the ifs survive, as completed ifs.
    std::size_t kept = level;
    for (std::size_t i = level; i < frames_.size(); ++i) {
        if (frames_[i] == Frame::kIfBody || frames_[i] == Frame::kIfDone)
            frames_[kept++] = Frame::kIfDone;
    }
    frames_.resize(kept);
}

void AlwaysConstructTracker::closeLevel() {
    settle();
    while (!frames_.empty()) {
        const Frame top = frames_.back();
        frames_.pop_back();
        if (isLevel(top)) break;
    }
    completeStatement();
}

void AlwaysConstructTracker::closeLoop() {
    if (loopDone()) frames_.pop_back();
    completeStatement();
}

std::size_t AlwaysConstructTracker::loopsInLevel() const {
    std::size_t loops = 0;
    for (std::size_t i = frames_.size(); i > 0 && !isLevel(frames_[i - 1]); --i) {
        if (isLoop(frames_[i - 1])) ++loops;
    }
    return loops;
}

bool AlwaysConstructTracker::complete() const {
    for (Frame frame : frames_) {
        if (frame != Frame::kIfDone) return false;
    }
    return true;
}

bool AlwaysConstructTracker::completeUnlessElse() const {
    bool anyLoop = false;
    for (Frame frame : frames_) anyLoop = anyLoop || isLoop(frame);
    if (!anyLoop) return complete();
    // What a statement other than "else" would leave: the completed ifs
    // settle, and each loop whose statement is complete closes, completing
    // the statement around it.
    AlwaysConstructTracker settled = *this;
    settled.settle();
    while (settled.loopDone()) {
        settled.closeLoop();
        settled.settle();
    }
    return settled.frames_.empty();
}

}  // namespace corvane
