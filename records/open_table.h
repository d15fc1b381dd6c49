// A small open-addressing hash table of (hash, index) pairs. It stores no
// keys: the caller's match function compares the entry an index names, so
// building a table allocates no strings. Linear probing over a power-of-two
// number of slots, grown when three quarters full; an erased entry's run is
// closed up behind it, so a lookup never needs markers of removed entries.
#pragma once

#include <cstdint>
#include <vector>

namespace records {

class OpenTable {
  public:
    static constexpr uint32_t kEmpty = 0xFFFFFFFFu;

    void Clear() {
        slots_.clear();
        slots_.shrink_to_fit();
        count_ = 0;
    }

    // The index of the first entry with this hash that match accepts, or
    // kEmpty.
    template <class Match>
    uint32_t Find(uint32_t hash, Match match) const {
        if (slots_.empty())
            return kEmpty;
        const size_t mask = slots_.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.index == kEmpty)
                return kEmpty;
            if (slot.hash == hash && match(slot.index))
                return slot.index;
        }
    }

    void Insert(uint32_t hash, uint32_t index) {
        if ((count_ + 1) * 4 > slots_.size() * 3)
            Grow();
        Place(Slot{hash, index});
        ++count_;
    }

    // Removes the entry (hash, index), if there is one.
    void Erase(uint32_t hash, uint32_t index) {
        if (slots_.empty())
            return;
        const size_t mask = slots_.size() - 1;
        size_t hole = hash & mask;
        while (slots_[hole].index != index) {
            if (slots_[hole].index == kEmpty)
                return;
            hole = (hole + 1) & mask;
        }
        // Every later entry of the run that the hole would cut off from its
        // home slot moves back into the hole.
        for (size_t i = (hole + 1) & mask; slots_[i].index != kEmpty; i = (i + 1) & mask) {
            const size_t home = slots_[i].hash & mask;
            const bool reachable = hole <= i ? hole < home && home <= i : hole < home || home <= i;
            if (!reachable) {
                slots_[hole] = slots_[i];
                hole = i;
            }
        }
        slots_[hole] = Slot{0, kEmpty};
        --count_;
    }

  private:
    struct Slot {
        uint32_t hash;
        uint32_t index;
    };

    void Place(const Slot& slot) {
        const size_t mask = slots_.size() - 1;
        size_t i = slot.hash & mask;
        while (slots_[i].index != kEmpty)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }

    void Grow() {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(old.empty() ? 8 : old.size() * 2, Slot{0, kEmpty});
        for (const Slot& slot : old)
            if (slot.index != kEmpty)
                Place(slot);
    }

    std::vector<Slot> slots_;
    size_t count_ = 0;
};

}  // namespace records
