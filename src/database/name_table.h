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
    explicit NameTable(std::size_t expected = 0) : slots_(slotCountFor(expected), -1) {
        entries_.reserve(expected);
    }

    // The id of `name`, or -1.
    int find(std::string_view name) const {
        for (std::size_t at = nameHash(name) & mask();; at = (at + 1) & mask()) {
            const int id = slots_[at];
            if (id < 0) return -1;
            if (nameOf(id) == name) return id;
        }
    }

    // The id of `name`, numbering it when it is new.
    int findOrAdd(std::string_view name) {
        if (2 * (entries_.size() + 1) >= slots_.size()) grow();
        std::size_t at = nameHash(name) & mask();
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

    // The name numbered `id`; valid until the table changes.
    std::string_view nameAt(int id) const { return nameOf(id); }

    // Forgets every name; room for `expected` names without growing.
    void clear(std::size_t expected = 0) {
        chars_.clear();
        entries_.clear();
        entries_.reserve(expected);
        // Only the slots this size needs are reset, whatever an earlier fill grew.
        slots_.assign(slotCountFor(expected), -1);
    }

    // Bytes held, so that a table grown by a huge module need not be kept.
    std::size_t footprint() const {
        return chars_.capacity() + entries_.capacity() * sizeof(Entry) +
               slots_.capacity() * sizeof(int);
    }

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
            std::size_t at = nameHash(nameOf(id)) & mask();
            while (slots_[at] >= 0) at = (at + 1) & mask();
            slots_[at] = id;
        }
    }

    std::string chars_;
    std::vector<Entry> entries_;
    std::vector<int> slots_;
};

}  // namespace corvane
