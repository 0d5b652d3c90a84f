#include "vhdl/vhdl_parse_state.h"

#include "database/token_reader.h"
#include "text/text_helpers.h"

namespace corvane {

VhdlParseState::VhdlParseState(Module& module, const std::string& filePath, MessageLog& log,
                               ProgressSink& progress)
    : module(module), filePath(filePath), log(log), progress(progress) {}

int VhdlParseState::otherMarkerLine(std::string_view token) {
    return lineMarkerNumber(token);
}

std::string VhdlParseState::nextSkippingMarkers() {
    while (!exhausted()) {
        std::string token = next();
        if (!followMarker(token)) return token;
    }
    return {};
}

std::string_view VhdlParseState::nextViewSkippingMarkers() {
    while (!exhausted()) {
        const std::string_view token = nextView();
        if (!followMarker(token)) return token;
    }
    return {};
}

std::string VhdlParseState::commentOf(int line) const {
    const auto found = module.lineComments.find(line);
    return found == module.lineComments.end() ? std::string() : found->second;
}

const VhdlComponent* VhdlParseState::findComponent(std::string_view name) const {
    const int id = componentNames_.find(name);
    return id < 0 ? nullptr : &components_[static_cast<std::size_t>(id)];
}

void VhdlParseState::addComponent(VhdlComponent component) {
    const int id = componentNames_.findOrAdd(component.name);
    if (static_cast<std::size_t>(id) == components_.size())
        components_.push_back(std::move(component));
}

bool VhdlParseState::isSignalName(std::string_view name) {
    for (; indexedWires_ < module.wires.size(); ++indexedWires_) {
        signalNames_.findOrAdd(module.wires[indexedWires_].name);
    }
    return signalNames_.find(name) >= 0;
}

bool VhdlParseState::isPinName(std::string_view name) {
    for (; indexedPins_ < module.pins.size(); ++indexedPins_) {
        pinNames_.findOrAdd(module.pins[indexedPins_].name);
    }
    return pinNames_.find(name) >= 0;
}

const VhdlType* VhdlParseState::findType(std::string_view name) {
    for (; indexedTypes_ < module.vhdlTypes.size(); ++indexedTypes_) {
        const int id = typeNames_.findOrAdd(module.vhdlTypes[indexedTypes_].name);
        if (static_cast<std::size_t>(id) == typeSlots_.size()) typeSlots_.push_back(indexedTypes_);
    }
    const int id = typeNames_.find(name);
    return id < 0 ? nullptr : &module.vhdlTypes[typeSlots_[static_cast<std::size_t>(id)]];
}

void VhdlParseState::dropArchitectureRecords() {
    const RecordCounts& kept = beforeArchitecture;
    if (module.wires.size() > kept.wires) module.wires.resize(kept.wires);
    if (module.assigns.size() > kept.assigns) module.assigns.resize(kept.assigns);
    if (module.children.size() > kept.children) module.children.resize(kept.children);
    if (module.alwaysBlocks.size() > kept.alwaysBlocks) module.alwaysBlocks.resize(kept.alwaysBlocks);
    if (module.vhdlTypes.size() > kept.vhdlTypes) module.vhdlTypes.resize(kept.vhdlTypes);
    signalNames_.clear();
    indexedWires_ = 0;
    typeNames_.clear();
    typeSlots_.clear();
    indexedTypes_ = 0;
}

const GenericTable& VhdlParseState::generics() {
    if (!generics_) generics_ = std::make_unique<GenericTable>(module.generics);
    return *generics_;
}

bool glueUntilSemicolon(VhdlParseState& state, std::string& text) {
    while (!text.ends_with(';')) {
        if (state.exhausted()) return false;
        const std::string_view token = state.nextView();
        if (!state.followMarker(token)) text += token;
    }
    return true;
}

std::string removeGluedMarkers(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.compare(pos, 3, ",%%") == 0) {
            std::size_t end = pos + 3;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
            if (end < text.size() && text[end] == ',') {
                pos = end + 1;
                continue;
            }
        }
        result.push_back(text[pos++]);
    }
    return result;
}

}  // namespace corvane
