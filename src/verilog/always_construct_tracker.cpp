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
    while (level > 0 && frames_[level - 1] != Frame::kLevel) --level;
    // Above the innermost level only the ifs survive, as completed ifs.
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
        if (top == Frame::kLevel) break;
    }
    completeStatement();
}

bool AlwaysConstructTracker::complete() const {
    for (Frame frame : frames_) {
        if (frame != Frame::kIfDone) return false;
    }
    return true;
}

}  // namespace corvane
