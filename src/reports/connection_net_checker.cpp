// The indexed connection checker: one walk over the module's blocks lists
// every name's candidate uses in scan order; a set of (block, name, direction,
// range) keys answers the duplicate-port rule without rescanning ports.
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "reports/connection_checks.h"
#include "reports/connection_uses.h"

namespace corvane {

namespace {

// Block kinds 3 to 6, as positions in per-kind arrays.
constexpr int kFirstBlockKind = kKindAssign;
constexpr std::size_t kBlockKinds = kKindInitial - kKindAssign + 1;

struct PortKey {
    int kind;
    int block;
    int nameId;
    int direction;
    int msb;
    int lsb;
    friend bool operator==(const PortKey&, const PortKey&) = default;
};

struct PortKeyHash {
    std::size_t operator()(const PortKey& key) const {
        std::uint64_t h = 0x9e3779b97f4a7c15ull;
        for (int field : {key.kind, key.block, key.nameId, key.direction, key.msb, key.lsb}) {
            h ^= static_cast<std::uint32_t>(field);
            h *= 0xff51afd7ed558ccdull;
            h ^= h >> 32;
        }
        return static_cast<std::size_t>(h);
    }
};

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

// The sizes check() compares to notice a module that is no longer the one indexed.
std::array<std::size_t, 8> shapeOf(const Module& module) {
    return {module.assigns.size(),       module.alwaysBlocks.size(), module.children.size(),
            module.initialBlocks.size(), module.pins.size(),         module.regs.size(),
            module.wires.size(),         module.generics.size()};
}

std::size_t blockCount(const Module& module, int kind) {
    switch (kind) {
        case kKindAssign:
            return module.assigns.size();
        case kKindAlways:
            return module.alwaysBlocks.size();
        case kKindChild:
            return module.children.size();
        default:
            return module.initialBlocks.size();
    }
}

}  // namespace

struct IndexedNetChecker::Index {
    Index(const Module& indexed, Language language)
        : module(&indexed), scans(language), shape(shapeOf(indexed)), ranges(indexed) {
        for (int kind = kFirstBlockKind; kind <= kKindInitial; ++kind) {
            syncedPorts[kind - kFirstBlockKind].assign(blockCount(indexed, kind), 0);
        }
        forEachCandidateUse(indexed, scans, [this](const UseRef& ref, std::string_view name) {
            if (name.empty()) return;
            auto it = nameIds.find(name);
            if (it == nameIds.end()) {
                it = nameIds.emplace(std::string(name), static_cast<int>(uses.size())).first;
                uses.emplace_back();
            }
            uses[static_cast<std::size_t>(it->second)].push_back(ref);
        });
    }

    int nameId(std::string_view name) const {
        const auto it = nameIds.find(name);
        return it == nameIds.end() ? -1 : it->second;
    }

    // Adds the keys of the block's ports appended since the last look. Ports
    // that went missing invalidate the whole set, which is then rebuilt lazily.
    void syncPorts(int kind, int block, const std::vector<Pin>& ports) {
        std::size_t& synced = syncedPorts[kind - kFirstBlockKind][static_cast<std::size_t>(block)];
        if (ports.size() < synced) {
            portKeys.clear();
            for (auto& counts : syncedPorts) std::fill(counts.begin(), counts.end(), 0);
        }
        for (; synced < ports.size(); ++synced) {
            const Pin& port = ports[synced];
            const int id = nameId(port.name);
            if (id < 0) continue;  // a name without uses is never asked about
            portKeys.insert({kind, block, id, port.direction, port.msb, port.lsb});
        }
    }

    const Module* module;
    Language scans;
    std::array<std::size_t, 8> shape;
    DeclaredRangeIndex ranges;
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> nameIds;
    std::vector<std::vector<UseRef>> uses;  // per name id, in scan order
    std::unordered_set<PortKey, PortKeyHash> portKeys;
    std::array<std::vector<std::size_t>, kBlockKinds> syncedPorts;  // per kind and block
};

IndexedNetChecker::IndexedNetChecker(const Module& module, Language scans)
    : index_(std::make_unique<Index>(module, scans)) {}

IndexedNetChecker::~IndexedNetChecker() = default;

void IndexedNetChecker::check(Module& module, const std::string& netName, MessageLog& log) {
    Index& index = *index_;
    if (&module != index.module || shapeOf(module) != index.shape) {
        if (index.scans == kVhdl) {
            checkVhdlNet(module, netName, log);
        } else {
            checkVerilogNet(module, netName, log);
        }
        return;
    }
    const int id = index.nameId(netName);
    if (id < 0) return;
    const auto net = module.nets.find(netName);
    if (net == module.nets.end()) return;
    const RangeResolver resolver(module, &index.ranges);
    const SelectSyntax& syntax = selectSyntaxFor(index.scans);
    for (const UseRef& ref : index.uses[static_cast<std::size_t>(id)]) {
        ResolvedUse use;
        if (!resolveUse(module, ref, resolver, syntax, log, use)) continue;
        std::vector<Pin>* ports = blockPorts(module, ref.kind, ref.block);
        if (!ports) continue;
        if (use.fromTokens) {
            index.syncPorts(ref.kind, ref.block, *ports);
            const PortKey key{ref.kind, ref.block, id, use.role, use.range.msb, use.range.lsb};
            if (index.portKeys.contains(key)) continue;
        }
        recordUse(net->second, *ports, ref, netName, use);
    }
}

NetCheck IndexedNetChecker::hook(MessageLog& log) {
    return [this, &log](Module& module, const std::string& name) { check(module, name, log); };
}

}  // namespace corvane
