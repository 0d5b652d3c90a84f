// Uniform access to the four kinds of schematic blocks (assign, always,
// instance, initial), which share their geometry fields and port vectors.
#pragma once

#include <cstddef>
#include <vector>

#include "database/records.h"

namespace corvane {

inline bool isBlockKind(int kind) {
    return kind >= kKindAssign && kind <= kKindInitial;
}

// Calls visit(kind, index, block) for every block in the order assigns, always
// blocks, instances, initial blocks, each in vector order. `block` is the
// record itself (Assign, Always, Child or Initial).
template <typename ModuleT, typename Visit>
void forEachBlock(ModuleT& module, Visit&& visit) {
    for (std::size_t i = 0; i < module.assigns.size(); ++i) {
        visit(kKindAssign, static_cast<int>(i), module.assigns[i]);
    }
    for (std::size_t i = 0; i < module.alwaysBlocks.size(); ++i) {
        visit(kKindAlways, static_cast<int>(i), module.alwaysBlocks[i]);
    }
    for (std::size_t i = 0; i < module.children.size(); ++i) {
        visit(kKindChild, static_cast<int>(i), module.children[i]);
    }
    for (std::size_t i = 0; i < module.initialBlocks.size(); ++i) {
        visit(kKindInitial, static_cast<int>(i), module.initialBlocks[i]);
    }
}

// Number of blocks of all four kinds.
inline std::size_t blockCount(const Module& module) {
    return module.assigns.size() + module.alwaysBlocks.size() + module.children.size() +
           module.initialBlocks.size();
}

// Number of blocks of one kind (0 for a kind that is not a block kind).
inline std::size_t blockCountOf(const Module& module, int kind) {
    switch (kind) {
        case kKindAssign:
            return module.assigns.size();
        case kKindAlways:
            return module.alwaysBlocks.size();
        case kKindChild:
            return module.children.size();
        case kKindInitial:
            return module.initialBlocks.size();
        default:
            return 0;
    }
}

// The element at `index`, or nullptr when `index` lies outside the vector.
template <typename T>
T* elementAt(std::vector<T>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

template <typename T>
const T* elementAt(const std::vector<T>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

// The ports of block `index` of `kind`; nullptr when there is no such block.
inline std::vector<Pin>* blockPortsOf(Module& module, int kind, int index) {
    switch (kind) {
        case kKindAssign: {
            Assign* block = elementAt(module.assigns, index);
            return block ? &block->ports : nullptr;
        }
        case kKindAlways: {
            Always* block = elementAt(module.alwaysBlocks, index);
            return block ? &block->ports : nullptr;
        }
        case kKindChild: {
            Child* block = elementAt(module.children, index);
            return block ? &block->ports : nullptr;
        }
        case kKindInitial: {
            Initial* block = elementAt(module.initialBlocks, index);
            return block ? &block->ports : nullptr;
        }
        default:
            return nullptr;
    }
}

inline const std::vector<Pin>* blockPortsOf(const Module& module, int kind, int index) {
    return blockPortsOf(const_cast<Module&>(module), kind, index);
}

}  // namespace corvane
