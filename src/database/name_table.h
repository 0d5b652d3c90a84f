// A table of short names numbered in order of first insertion, for the
// per-module name indexes of the front ends and the connection checks. Open
// addressing over 2^k slots kept at most half full; the characters of all
// names live in one string, so the table does not depend on the strings it
// was filled from. clear() keeps the storage, so one table serves module
// after module.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline std::uint64_t mixedHash(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

// FNV-1a: names are short, so a byte loop beats the general string hash.
inline std::uint64_t nameHash(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    return mixedHash(h);
}

// Slots for `entries` entries at most half full: a power of two, at least 16.
inline std::size_t slotCountFor(std::size_t entries) {
    std::size_t slots = 16;
    while (slots < 2 * entries + 2) slots *= 2;
    return slots;
}

// Open-addressing slots over 2^k entries, kept at most half full, for tables
// that keep their entries in a list of their own. Each slot holds an entry's
// index beside the high half of its hash, so a probe looks at an entry only
// when the halves agree: a lookup in a large table stays at about one cache
// line.
class TaggedSlots {
public:
    explicit TaggedSlots(std::size_t expected = 0) : slots_(slotCountFor(expected)) {}

    // Forgets every entry; room for `expected` entries without growing. Only
    // the slots this size needs are reset, whatever an earlier fill grew.
    void reset(std::size_t expected) { slots_.assign(slotCountFor(expected), Slot{}); }

    // The index of the entry with `hash` for which `matches(index)` holds, or
    // -1; `free` is then the slot where such an entry would go.
    template <class Matches>
    int find(std::uint64_t hash, Matches matches, std::size_t* free = nullptr) const {
        const auto tag = tagOf(hash);
        std::size_t at = hash & mask();
        for (;; at = (at + 1) & mask()) {
            const Slot& slot = slots_[at];
            if (slot.index < 0) break;
            if (slot.tag == tag && matches(slot.index)) return slot.index;
        }
        if (free) *free = at;
        return -1;
    }

    void place(std::size_t at, std::uint64_t hash, int index) { slots_[at] = {tagOf(hash), index}; }

    // Whether one entry more than `count` needs more slots.
    bool full(std::size_t count) const { return 2 * (count + 1) >= slots_.size(); }

    // Makes room for one entry more than `count` and places entries 0 to
    // count - 1 again, their hashes read through `hashOf(index)`.
    template <class HashOf>
    void grow(std::size_t count, HashOf hashOf) {
        slots_.assign(slotCountFor(count + 1), Slot{});
        for (std::size_t index = 0; index < count; ++index) {
            const std::uint64_t hash = hashOf(index);
            std::size_t at = hash & mask();
            while (slots_[at].index >= 0) at = (at + 1) & mask();
            place(at, hash, static_cast<int>(index));
        }
    }

    std::size_t footprint() const { return slots_.capacity() * sizeof(Slot); }

private:
    struct Slot {
        std::uint32_t tag = 0;
        int index = -1;
    };

    static std::uint32_t tagOf(std::uint64_t hash) {
        return static_cast<std::uint32_t>(hash >> 32);
    }
    std::size_t mask() const { return slots_.size() - 1; }

    std::vector<Slot> slots_;
};

class NameTable {
public:
    explicit NameTable(std::size_t expected = 0) : slots_(expected) { entries_.reserve(expected); }

    // The id of `name`, or -1.
    int find(std::string_view name) const {
        return slots_.find(nameHash(name), [&](int id) { return nameOf(id) == name; });
    }

    // The id of `name`, numbering it when it is new.
    int findOrAdd(std::string_view name) {
        if (slots_.full(entries_.size())) {
            slots_.grow(entries_.size(), [this](std::size_t id) { return entries_[id].hash; });
        }
        const std::uint64_t hash = nameHash(name);
        std::size_t free = 0;
        const int found = slots_.find(
            hash, [&](int id) { return nameOf(id) == name; }, &free);
        if (found >= 0) return found;
        const int id = static_cast<int>(entries_.size());
        entries_.push_back({chars_.size(), name.size(), hash});
        chars_.append(name);
        slots_.place(free, hash, id);
        return id;
    }

    std::size_t size() const { return entries_.size(); }

    // The name numbered `id`; valid until the table changes.
    std::string_view nameAt(int id) const { return nameOf(id); }

    // Forgets every name; room for `expected` names without growing.
    void clear(std::size_t expected = 0) {
        chars_.clear();
        entries_.clear();
        entries_.reserve(expected);
        slots_.reset(expected);
    }

    // Bytes held, so that a table grown by a huge module need not be kept.
    std::size_t footprint() const {
        return chars_.capacity() + entries_.capacity() * sizeof(Entry) + slots_.footprint();
    }

private:
    struct Entry {
        std::size_t offset;
        std::size_t length;
        std::uint64_t hash;  // kept so that growing never reads the names again
    };

    std::string_view nameOf(int id) const {
        const Entry& entry = entries_[static_cast<std::size_t>(id)];
        return std::string_view(chars_.data() + entry.offset, entry.length);
    }

    std::string chars_;
    std::vector<Entry> entries_;
    TaggedSlots slots_;
};

}  // namespace corvane
