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

class NameTable {
public:
    explicit NameTable(std::size_t expected = 0) : slots_(slotCountFor(expected)) {
        entries_.reserve(expected);
    }

    // The id of `name`, or -1.
    int find(std::string_view name) const {
        const std::uint64_t hash = nameHash(name);
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t at = hash & mask();; at = (at + 1) & mask()) {
            const Slot& slot = slots_[at];
            if (slot.id < 0) return -1;
            if (slot.tag == tag && nameOf(slot.id) == name) return slot.id;
        }
    }

    // The id of `name`, numbering it when it is new.
    int findOrAdd(std::string_view name) {
        if (2 * (entries_.size() + 1) >= slots_.size()) grow();
        const std::uint64_t hash = nameHash(name);
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        std::size_t at = hash & mask();
        for (;; at = (at + 1) & mask()) {
            const Slot& slot = slots_[at];
            if (slot.id < 0) break;
            if (slot.tag == tag && nameOf(slot.id) == name) return slot.id;
        }
        const int id = static_cast<int>(entries_.size());
        entries_.push_back({chars_.size(), name.size(), hash});
        chars_.append(name);
        slots_[at] = {tag, id};
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
        // Only the slots this size needs are reset, whatever an earlier fill grew.
        slots_.assign(slotCountFor(expected), Slot{});
    }

    // Bytes held, so that a table grown by a huge module need not be kept.
    std::size_t footprint() const {
        return chars_.capacity() + entries_.capacity() * sizeof(Entry) +
               slots_.capacity() * sizeof(Slot);
    }

private:
    struct Entry {
        std::size_t offset;
        std::size_t length;
        std::uint64_t hash;  // kept so that growing never reads the names again
    };

    // The high half of a name's hash beside its id: a probe reads the name
    // only when the tags agree, which keeps lookups in a large table to about
    // one cache line.
    struct Slot {
        std::uint32_t tag = 0;
        int id = -1;
    };

    std::size_t mask() const { return slots_.size() - 1; }

    std::string_view nameOf(int id) const {
        const Entry& entry = entries_[static_cast<std::size_t>(id)];
        return std::string_view(chars_.data() + entry.offset, entry.length);
    }

    void grow() {
        slots_.assign(slots_.size() * 2, Slot{});
        for (std::size_t id = 0; id < entries_.size(); ++id) {
            const std::uint64_t hash = entries_[id].hash;
            std::size_t at = hash & mask();
            while (slots_[at].id >= 0) at = (at + 1) & mask();
            slots_[at] = {static_cast<std::uint32_t>(hash >> 32), static_cast<int>(id)};
        }
    }

    std::string chars_;
    std::vector<Entry> entries_;
    std::vector<Slot> slots_;
};

}  // namespace corvane
