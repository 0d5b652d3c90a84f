#include "schematic/sensitivity_places.h"

namespace corvane {

void SensitivityPlaces::fit(const Module& module) {
    boxes_.resize(module.alwaysBlocks.size());
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i].resize(module.alwaysBlocks[i].sensitivity.size());
    }
}

LabelBox* SensitivityPlaces::find(int always, int entry) {
    if (always < 0 || entry < 0) return nullptr;
    if (static_cast<std::size_t>(always) >= boxes_.size()) return nullptr;
    std::vector<LabelBox>& entries = boxes_[static_cast<std::size_t>(always)];
    if (static_cast<std::size_t>(entry) >= entries.size()) return nullptr;
    return &entries[static_cast<std::size_t>(entry)];
}

const LabelBox* SensitivityPlaces::find(int always, int entry) const {
    return const_cast<SensitivityPlaces*>(this)->find(always, entry);
}

std::vector<LabelBox>& SensitivityPlaces::entriesOf(int always) {
    none_.clear();
    if (always < 0 || static_cast<std::size_t>(always) >= boxes_.size()) return none_;
    return boxes_[static_cast<std::size_t>(always)];
}

const std::vector<LabelBox>& SensitivityPlaces::entriesOf(int always) const {
    static const std::vector<LabelBox> kNone;
    if (always < 0 || static_cast<std::size_t>(always) >= boxes_.size()) return kNone;
    return boxes_[static_cast<std::size_t>(always)];
}

}  // namespace corvane
