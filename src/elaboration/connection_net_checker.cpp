// The indexed connection checker: one walk over the module's blocks lists
// every name's candidate uses in scan order; a set of (block, name, direction,
// range) keys answers the duplicate-port rule without rescanning ports.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/name_table.h"
#include "elaboration/connection_checks.h"
#include "elaboration/connection_uses.h"

namespace corvane {

namespace {

// Block kinds 3 to 6, as positions in per-kind arrays.
constexpr int kFirstBlockKind = kKindAssign;
constexpr std::size_t kBlockKinds = kKindInitial - kKindAssign + 1;

// Room for the names of a typical module; larger modules grow the table.
constexpr std::size_t kExpectedNames = 64;

struct PortKey {
    int kind;
    int block;
    int nameId;
    int direction;
    int msb;
    int lsb;
    friend bool operator==(const PortKey&, const PortKey&) = default;
};

std::uint64_t hashOf(const PortKey& key) {
    std::uint64_t h = 0x9e3779b97f4a7c15ull;
    for (int field : {key.kind, key.block, key.nameId, key.direction, key.msb, key.lsb}) {
        h = (h ^ static_cast<std::uint32_t>(field)) * 0x100000001b3ull;
    }
    return mixedHash(h);
}

// A set of port keys without a node per key.
class PortKeySet {
    // Whether the key at an index equals `key`; defined first for the
    // members below that deduce its type.
    auto matching(const PortKey& key) const {
        return [this, &key](int k) { return keys_[static_cast<std::size_t>(k)] == key; };
    }

public:
    bool contains(const PortKey& key) const {
        return !keys_.empty() && slots_.find(hashOf(key), matching(key)) >= 0;
    }

    void insert(const PortKey& key) {
        if (slots_.full(keys_.size())) {
            slots_.grow(keys_.size(), [this](std::size_t k) { return hashOf(keys_[k]); });
        }
        const std::uint64_t hash = hashOf(key);
        std::size_t free = 0;
        if (slots_.find(hash, matching(key), &free) >= 0) return;
        slots_.place(free, hash, static_cast<int>(keys_.size()));
        keys_.push_back(key);
    }

    std::size_t footprint() const {
        return keys_.capacity() * sizeof(PortKey) + slots_.footprint();
    }

    // Empties the set and sizes it for `count` keys, keeping the storage.
    void reset(std::size_t count) {
        keys_.clear();
        keys_.reserve(count);
        slots_.reset(count);
    }

private:
    std::vector<PortKey> keys_;
    TaggedSlots slots_;
};

// At least as many as the module's candidate uses (every token and text of
// its blocks), counted from the list sizes alone, so that the list of uses is
// allocated once.
std::size_t candidateUseBound(const Module& module) {
    std::size_t bound = 0;
    for (const Assign& assign : module.assigns) {
        bound += 1 + assign.lhsTokens.size() + assign.rhsTokens.size();
    }
    const auto addStatements = [&bound](const std::vector<Statement>& statements) {
        for (const Statement& statement : statements) {
            bound += 1 + statement.targetTokens.size() + statement.valueTokens.size();
        }
    };
    for (const Always& always : module.alwaysBlocks) {
        bound += always.sensitivity.size();
        addStatements(always.statements);
    }
    for (const Child& child : module.children) bound += child.connections.size();
    for (const Initial& initial : module.initialBlocks) addStatements(initial.statements);
    return bound;
}

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
    // Indexes `indexed`, reusing the storage of the module indexed before.
    void reset(const Module& indexed, Language language) {
        module = &indexed;
        scans = language;
        shape = shapeOf(indexed);
        ranges.rebuild(indexed);
        names.clear(kExpectedNames);
        for (int kind = kFirstBlockKind; kind <= kKindInitial; ++kind) {
            const std::size_t blocks = blockCount(indexed, kind);
            syncedPorts[kind - kFirstBlockKind].assign(blocks, 0);
            unreservedUses[kind - kFirstBlockKind].assign(blocks, 0);
        }
        // Uses are listed with their name ids in scan order, then grouped by
        // id with a counting sort that keeps the scan order within a name.
        listed.clear();
        listed.reserve(candidateUseBound(indexed));
        forEachCandidateUse(indexed, scans, [&](const UseRef& ref, std::string_view name) {
            if (name.empty()) return;
            listed.emplace_back(names.findOrAdd(name), ref);
        });
        firstUse.assign(names.size() + 1, 0);
        for (const auto& entry : listed) ++firstUse[static_cast<std::size_t>(entry.first) + 1];
        for (std::size_t id = 1; id < firstUse.size(); ++id) firstUse[id] += firstUse[id - 1];
        next.assign(firstUse.begin(), firstUse.end() - 1);
        uses.resize(listed.size());
        countPortsToReserve(indexed);
        resolved.resize(listed.size());
        resolution.assign(listed.size(), Resolution::kAtCheck);
        const RangeResolver resolver(indexed, &ranges);
        for (const auto& [id, ref] : listed) {
            const std::size_t at = next[static_cast<std::size_t>(id)]++;
            uses[at] = ref;
            if (mayBeNet[static_cast<std::size_t>(id)] != 0) resolveAhead(indexed, resolver, at);
        }
        checked.assign(names.size(), 0);
        allPortsKeyed = false;
    }

    // Resolves the use at `at` now, while the module's blocks are walked in
    // order, rather than when its net is checked: the checks visit the uses
    // name by name, jumping across the blocks of a large module. A use whose
    // resolution writes a connection error is left to the check, which writes
    // the error in its place in the log.
    void resolveAhead(const Module& indexed, const RangeResolver& resolver, std::size_t at) {
        const bool found = resolveUse(indexed, uses[at], resolver, selectSyntaxFor(scans),
                                      scratchLog, resolved[at]);
        if (scratchLog.size() != 0) {
            scratchLog.clear();
            return;
        }
        resolution[at] = found ? Resolution::kResolved : Resolution::kNoUse;
    }

    // Per block, the uses of names that can become nets: those are the only
    // ones that may add a port to the block. The names of other uses
    // (numbers, parameters, loop variables) never reach the checks.
    void countPortsToReserve(const Module& indexed) {
        mayBeNet.assign(names.size(), 0);
        for (std::size_t id = 0; id < names.size(); ++id) {
            mayBeNet[id] = ranges.contains(names.nameAt(static_cast<int>(id))) ? 1 : 0;
        }
        if (scans == kVerilog) {
            for (const Assign& assign : indexed.assigns) {
                if (!isBareNetName(assign.name)) continue;
                const int id = names.find(assign.name);
                if (id >= 0) mayBeNet[static_cast<std::size_t>(id)] = 1;
            }
        }
        netUses = 0;
        for (const auto& [id, ref] : listed) {
            if (mayBeNet[static_cast<std::size_t>(id)] == 0) continue;
            ++netUses;
            ++unreservedUses[ref.kind - kFirstBlockKind][static_cast<std::size_t>(ref.block)];
        }
    }

    int nameId(std::string_view name) const { return names.find(name); }

    std::size_t useCount(int id) const {
        const auto first = static_cast<std::size_t>(id);
        return firstUse[first + 1] - firstUse[first];
    }

    // Starts the check of name `id`. While every port of the module was
    // recorded by this index and no name is checked twice, the only ports a
    // check can find again are those it records itself, so a small set of
    // this check's keys answers the duplicate-port rule. Anything else keys
    // every port of the module (see keyAllPorts).
    void beginCheck(int id) {
        char& seen = checked[static_cast<std::size_t>(id)];
        if (seen != 0 && !allPortsKeyed) keyAllPorts();
        seen = 1;
        if (!allPortsKeyed) checkKeys.reset(useCount(id));
    }

    // Whether the block already holds a port with `key`.
    bool hasPort(const PortKey& key, const std::vector<Pin>& ports) {
        if (!allPortsKeyed) {
            if (syncedCount(key.kind, key.block) == ports.size()) return checkKeys.contains(key);
            keyAllPorts();  // the block holds ports recorded elsewhere
        }
        syncPorts(key.kind, key.block, ports);
        return portKeys.contains(key);
    }

    // Takes the key of the port just recorded for name `id`.
    void noteRecordedPort(int kind, int block, const std::vector<Pin>& ports, int id) {
        std::size_t& synced = syncedCount(kind, block);
        if (synced + 1 != ports.size()) {
            // Ports recorded elsewhere: they are keyed when the block is next looked at.
            if (!allPortsKeyed) keyAllPorts();
            return;
        }
        const Pin& port = ports.back();
        const PortKey key{kind, block, id, port.direction, port.msb, port.lsb};
        (allPortsKeyed ? portKeys : checkKeys).insert(key);
        ++synced;
    }

    // Switches to one set of the keys of every port of the module, filled
    // block by block as the checks look at them.
    void keyAllPorts() {
        allPortsKeyed = true;
        portKeys.reset(netUses);
        for (auto& counts : syncedPorts) std::fill(counts.begin(), counts.end(), 0);
    }

    std::size_t& syncedCount(int kind, int block) {
        return syncedPorts[kind - kFirstBlockKind][static_cast<std::size_t>(block)];
    }

    // Adds the keys of the block's ports appended since the last look. Ports
    // that went missing invalidate the whole set, which is then rebuilt lazily.
    void syncPorts(int kind, int block, const std::vector<Pin>& ports) {
        std::size_t& synced = syncedCount(kind, block);
        if (ports.size() < synced) {
            portKeys.reset(netUses);
            for (auto& counts : syncedPorts) std::fill(counts.begin(), counts.end(), 0);
        }
        for (; synced < ports.size(); ++synced) {
            const Pin& port = ports[synced];
            const int id = nameId(port.name);
            if (id < 0) continue;  // a name without uses is never asked about
            portKeys.insert({kind, block, id, port.direction, port.msb, port.lsb});
        }
    }

    // Makes room in a block's port list, on its first recorded use, for all
    // the uses it may still record, so the list grows once instead of moving
    // its ports at every doubling. Skipped when `name` is one of these very
    // ports, whose storage the caller still reads.
    void reservePorts(int kind, int block, std::vector<Pin>& ports, const std::string& name) {
        std::size_t& pending =
            unreservedUses[kind - kFirstBlockKind][static_cast<std::size_t>(block)];
        if (pending == 0) return;
        const std::less<const void*> before;
        const void* begin = ports.data();
        const void* end = ports.data() + ports.size();
        if (!before(&name, begin) && before(&name, end)) return;
        ports.reserve(ports.size() + pending);
        pending = 0;
    }

    // Bytes held, so that the storage grown by a huge module is not kept.
    std::size_t footprint() const {
        std::size_t bytes = ranges.footprint() + names.footprint() + portKeys.footprint() +
                            checkKeys.footprint() + checked.capacity() +
                            uses.capacity() * sizeof(UseRef) +
                            resolved.capacity() * sizeof(ResolvedUse) + resolution.capacity() +
                            listed.capacity() * sizeof(listed[0]) +
                            (firstUse.capacity() + next.capacity()) * sizeof(std::size_t);
        for (const auto& counts : syncedPorts) bytes += counts.capacity() * sizeof(std::size_t);
        return bytes;
    }

    const Module* module = nullptr;
    Language scans = kVerilog;
    std::array<std::size_t, 8> shape{};
    DeclaredRangeIndex ranges;
    NameTable names{kExpectedNames};
    std::vector<UseRef> uses;           // grouped by name id, in scan order within a name
    std::vector<std::size_t> firstUse;  // per name id, where its uses start; one more at the end
    PortKeySet portKeys;                // every port's key, once allPortsKeyed
    PortKeySet checkKeys;               // the keys the current check recorded, until then
    bool allPortsKeyed = false;
    std::vector<char> checked;  // per name id, whether its net was checked
    std::array<std::vector<std::size_t>, kBlockKinds> syncedPorts;  // per kind and block
    // Per kind and block, the candidate uses not yet reserved for in its ports.
    std::array<std::vector<std::size_t>, kBlockKinds> unreservedUses;
    // Per use (in the order of `uses`), whether it was resolved ahead.
    enum class Resolution : std::uint8_t { kAtCheck, kResolved, kNoUse };
    std::vector<ResolvedUse> resolved;
    std::vector<Resolution> resolution;
    MessageLog scratchLog;
    // Working storage of reset(), kept with the index for the next module.
    std::vector<std::pair<int, UseRef>> listed;
    std::vector<std::size_t> next;
    std::vector<char> mayBeNet;
    std::size_t netUses = 0;  // how many listed uses have a name that may be a net
};

namespace {

// Above this many bytes an index is dropped after its module rather than kept.
constexpr std::size_t kKeptIndexBytes = std::size_t{1} << 20;

// The index storage handed from one checker to the next on this thread, so
// checking module after module does not allocate it afresh each time.
std::unique_ptr<IndexedNetChecker::Index>& spareIndex() {
    thread_local std::unique_ptr<IndexedNetChecker::Index> spare;
    return spare;
}

// Runs the checker on every net the net table inserts.
class CheckerObserver final : public NetInsertionObserver {
public:
    CheckerObserver(IndexedNetChecker& checker, MessageLog& log) : checker_(checker), log_(log) {}
    std::size_t expectedUses(const std::string& name) const override {
        return checker_.expectedUses(name);
    }
    void netInserted(Module& module, const std::string& name, Net& net) override {
        checker_.checkInserted(module, name, net, log_);
    }

private:
    IndexedNetChecker& checker_;
    MessageLog& log_;
};

}  // namespace

IndexedNetChecker::IndexedNetChecker(const Module& module, Language scans)
    : index_(std::move(spareIndex())) {
    if (!index_) index_ = std::make_unique<Index>();
    index_->reset(module, scans);
}

IndexedNetChecker::~IndexedNetChecker() {
    auto& spare = spareIndex();
    if (!spare && index_->footprint() <= kKeptIndexBytes) {
        index_->module = nullptr;
        spare = std::move(index_);
    }
}

bool IndexedNetChecker::indexes(const Module& module) const {
    return &module == index_->module && shapeOf(module) == index_->shape;
}

std::size_t IndexedNetChecker::expectedUses(const std::string& netName) const {
    if (index_->module == nullptr) return 0;
    const int id = index_->nameId(netName);
    return id < 0 ? 0 : index_->useCount(id);
}

void IndexedNetChecker::check(Module& module, const std::string& netName, MessageLog& log) {
    if (!indexes(module)) {
        if (index_->scans == kVhdl) {
            checkVhdlNet(module, netName, log);
        } else {
            checkVerilogNet(module, netName, log);
        }
        return;
    }
    if (index_->nameId(netName) < 0) return;
    const auto net = module.nets.find(netName);
    if (net == module.nets.end()) return;
    checkInserted(module, netName, net->second, log);
}

void IndexedNetChecker::checkInserted(Module& module, const std::string& netName, Net& net,
                                      MessageLog& log) {
    if (!indexes(module)) {
        check(module, netName, log);
        return;
    }
    Index& index = *index_;
    const int id = index.nameId(netName);
    if (id < 0) return;
    index.beginCheck(id);
    const RangeResolver resolver(module, &index.ranges);
    const SelectSyntax& syntax = selectSyntaxFor(index.scans);
    const auto first = static_cast<std::size_t>(id);
    std::vector<Terminal>& terminals = net.terminals;
    const std::size_t needed = terminals.size() + index.useCount(id);
    if (needed > terminals.capacity()) {
        terminals.reserve(std::max(needed, 2 * terminals.capacity()));
    }
    for (std::size_t u = index.firstUse[first]; u < index.firstUse[first + 1]; ++u) {
        const UseRef& ref = index.uses[u];
        ResolvedUse use;
        switch (index.resolution[u]) {
            case Index::Resolution::kResolved:
                use = index.resolved[u];
                break;
            case Index::Resolution::kNoUse:
                continue;
            case Index::Resolution::kAtCheck:
                if (!resolveUse(module, ref, resolver, syntax, log, use)) continue;
                break;
        }
        std::vector<Pin>* ports = blockPorts(module, ref.kind, ref.block);
        if (!ports) continue;
        if (use.fromTokens &&
            index.hasPort({ref.kind, ref.block, id, use.role, use.range.msb, use.range.lsb},
                          *ports)) {
            continue;
        }
        index.reservePorts(ref.kind, ref.block, *ports, netName);
        recordUse(net, *ports, ref, netName, use);
        index.noteRecordedPort(ref.kind, ref.block, *ports, id);
    }
}

NetCheck IndexedNetChecker::hook(MessageLog& log) {
    return [this, &log](Module& module, const std::string& name) { check(module, name, log); };
}

void IndexedNetChecker::buildNetTable(Module& module, const std::string& filePath,
                                      MessageLog& log) {
    CheckerObserver observer(*this, log);
    corvane::buildNetTable(module, filePath, log, observer);
}

}  // namespace corvane
