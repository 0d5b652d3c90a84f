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

#include "reports/connection_checks.h"
#include "reports/connection_uses.h"

namespace corvane {

namespace {

// Block kinds 3 to 6, as positions in per-kind arrays.
constexpr int kFirstBlockKind = kKindAssign;
constexpr std::size_t kBlockKinds = kKindInitial - kKindAssign + 1;

// Room for the names of a typical module; larger modules grow the table.
constexpr std::size_t kExpectedNames = 64;
constexpr std::size_t kExpectedUses = 256;

struct PortKey {
    int kind;
    int block;
    int nameId;
    int direction;
    int msb;
    int lsb;
    friend bool operator==(const PortKey&, const PortKey&) = default;
};

std::uint64_t mixed(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

std::uint64_t hashOf(const PortKey& key) {
    std::uint64_t h = 0x9e3779b97f4a7c15ull;
    for (int field : {key.kind, key.block, key.nameId, key.direction, key.msb, key.lsb}) {
        h = (h ^ static_cast<std::uint32_t>(field)) * 0x100000001b3ull;
    }
    return mixed(h);
}

// FNV-1a: names are short, so a byte loop beats the general string hash.
std::uint64_t hashOf(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    return mixed(h);
}

// Open-addressing slots for the two tables below: a table of 2^k slots kept at
// most half full, probed linearly. Slot value -1 is free.
std::size_t slotCountFor(std::size_t entries) {
    std::size_t slots = 16;
    while (slots < 2 * entries + 2) slots *= 2;
    return slots;
}

// The names that have uses, numbered in order of first use. The characters of
// all names are copied into one string, so the table does not depend on the
// module's strings staying as they were.
class NameTable {
public:
    explicit NameTable(std::size_t expected) : slots_(slotCountFor(expected), -1) {
        entries_.reserve(expected);
    }

    int find(std::string_view name) const {
        for (std::size_t at = hashOf(name) & mask();; at = (at + 1) & mask()) {
            const int id = slots_[at];
            if (id < 0) return -1;
            if (nameOf(id) == name) return id;
        }
    }

    // The id of `name`, numbering it when it is new.
    int findOrAdd(std::string_view name) {
        if (2 * (entries_.size() + 1) >= slots_.size()) grow();
        std::size_t at = hashOf(name) & mask();
        for (;; at = (at + 1) & mask()) {
            const int id = slots_[at];
            if (id < 0) break;
            if (nameOf(id) == name) return id;
        }
        const int id = static_cast<int>(entries_.size());
        entries_.push_back({chars_.size(), name.size()});
        chars_.append(name);
        slots_[at] = id;
        return id;
    }

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::size_t offset;
        std::size_t length;
    };

    std::size_t mask() const { return slots_.size() - 1; }

    std::string_view nameOf(int id) const {
        const Entry& entry = entries_[static_cast<std::size_t>(id)];
        return std::string_view(chars_).substr(entry.offset, entry.length);
    }

    void grow() {
        std::vector<int> old(slots_.size() * 2, -1);
        old.swap(slots_);
        for (int id : old) {
            if (id < 0) continue;
            std::size_t at = hashOf(nameOf(id)) & mask();
            while (slots_[at] >= 0) at = (at + 1) & mask();
            slots_[at] = id;
        }
    }

    std::string chars_;
    std::vector<Entry> entries_;
    std::vector<int> slots_;
};

// A set of port keys without a node per key.
class PortKeySet {
public:
    bool contains(const PortKey& key) const {
        if (keys_.empty()) return false;
        for (std::size_t at = hashOf(key) & mask();; at = (at + 1) & mask()) {
            const int slot = slots_[at];
            if (slot < 0) return false;
            if (keys_[static_cast<std::size_t>(slot)] == key) return true;
        }
    }

    void insert(const PortKey& key) {
        if (2 * (keys_.size() + 1) >= slots_.size()) grow();
        std::size_t at = hashOf(key) & mask();
        for (;; at = (at + 1) & mask()) {
            const int slot = slots_[at];
            if (slot < 0) break;
            if (keys_[static_cast<std::size_t>(slot)] == key) return;
        }
        slots_[at] = static_cast<int>(keys_.size());
        keys_.push_back(key);
    }

    // Room for `count` keys without growing; only on an empty set.
    void reserve(std::size_t count) {
        if (!keys_.empty()) return;
        keys_.reserve(count);
        if (slots_.size() < slotCountFor(count)) slots_.assign(slotCountFor(count), -1);
    }

    void clear() {
        keys_.clear();
        std::fill(slots_.begin(), slots_.end(), -1);
    }

private:
    std::size_t mask() const { return slots_.size() - 1; }

    void grow() {
        slots_.assign(slotCountFor(keys_.size() + 1), -1);
        for (std::size_t k = 0; k < keys_.size(); ++k) {
            std::size_t at = hashOf(keys_[k]) & mask();
            while (slots_[at] >= 0) at = (at + 1) & mask();
            slots_[at] = static_cast<int>(k);
        }
    }

    std::vector<PortKey> keys_;
    std::vector<int> slots_;
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
        : module(&indexed),
          scans(language),
          shape(shapeOf(indexed)),
          ranges(indexed),
          names(kExpectedNames) {
        for (int kind = kFirstBlockKind; kind <= kKindInitial; ++kind) {
            syncedPorts[kind - kFirstBlockKind].assign(blockCount(indexed, kind), 0);
        }
        // Uses are listed with their name ids in scan order, then grouped by
        // id with a counting sort that keeps the scan order within a name.
        for (int kind = kFirstBlockKind; kind <= kKindInitial; ++kind) {
            unreservedUses[kind - kFirstBlockKind].assign(blockCount(indexed, kind), 0);
        }
        std::vector<std::pair<int, UseRef>> listed;
        listed.reserve(kExpectedUses);
        forEachCandidateUse(indexed, scans, [&](const UseRef& ref, std::string_view name) {
            if (name.empty()) return;
            listed.emplace_back(names.findOrAdd(name), ref);
            ++unreservedUses[ref.kind - kFirstBlockKind][static_cast<std::size_t>(ref.block)];
        });
        firstUse.assign(names.size() + 1, 0);
        for (const auto& entry : listed) ++firstUse[static_cast<std::size_t>(entry.first) + 1];
        for (std::size_t id = 1; id < firstUse.size(); ++id) firstUse[id] += firstUse[id - 1];
        std::vector<std::size_t> next(firstUse.begin(), firstUse.end() - 1);
        uses.resize(listed.size());
        // Most port keys come from the ports these uses record.
        portKeys.reserve(listed.size());
        for (const auto& [id, ref] : listed) uses[next[static_cast<std::size_t>(id)]++] = ref;
    }

    int nameId(std::string_view name) const { return names.find(name); }

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

    const Module* module;
    Language scans;
    std::array<std::size_t, 8> shape;
    DeclaredRangeIndex ranges;
    NameTable names;
    std::vector<UseRef> uses;          // grouped by name id, in scan order within a name
    std::vector<std::size_t> firstUse;  // per name id, where its uses start; one more at the end
    PortKeySet portKeys;
    std::array<std::vector<std::size_t>, kBlockKinds> syncedPorts;  // per kind and block
    // Per kind and block, the candidate uses not yet reserved for in its ports.
    std::array<std::vector<std::size_t>, kBlockKinds> unreservedUses;
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
    const auto first = static_cast<std::size_t>(id);
    std::vector<Terminal>& terminals = net->second.terminals;
    const std::size_t needed =
        terminals.size() + (index.firstUse[first + 1] - index.firstUse[first]);
    if (needed > terminals.capacity()) {
        terminals.reserve(std::max(needed, 2 * terminals.capacity()));
    }
    for (std::size_t u = index.firstUse[first]; u < index.firstUse[first + 1]; ++u) {
        const UseRef& ref = index.uses[u];
        ResolvedUse use;
        if (!resolveUse(module, ref, resolver, syntax, log, use)) continue;
        std::vector<Pin>* ports = blockPorts(module, ref.kind, ref.block);
        if (!ports) continue;
        if (use.fromTokens) {
            index.syncPorts(ref.kind, ref.block, *ports);
            const PortKey key{ref.kind, ref.block, id, use.role, use.range.msb, use.range.lsb};
            if (index.portKeys.contains(key)) continue;
        }
        index.reservePorts(ref.kind, ref.block, *ports, netName);
        recordUse(net->second, *ports, ref, netName, use);
    }
}

NetCheck IndexedNetChecker::hook(MessageLog& log) {
    return [this, &log](Module& module, const std::string& name) { check(module, name, log); };
}

}  // namespace corvane
