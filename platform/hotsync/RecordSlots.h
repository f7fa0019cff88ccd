#pragma once
// The records of an open handheld database by unique id and by index, each found without walking
// the list: a record taken out leaves its slot empty until the list is next packed, and a
// binary indexed tree counts the empty slots before any slot.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace hotsync {

class RecordSlots {
public:
    // Slots 0 to count - 1 hold the records with these unique ids.
    void reset(const std::vector<uint32_t>& uniqueIds);
    // A new record in a new last slot; its slot.
    std::size_t add(uint32_t uniqueId);
    void remove(uint32_t uniqueId);

    std::optional<std::size_t> slotOf(uint32_t uniqueId) const;
    // The record's index among the records left.
    std::size_t indexOf(std::size_t slot) const;
    // The slot of the index-th record left.
    std::optional<std::size_t> slotAt(std::size_t index) const;
    bool isEmpty(std::size_t slot) const { return empty_[slot]; }

    std::size_t slotCount() const { return empty_.size(); }
    std::size_t recordCount() const { return empty_.size() - emptyCount_; }
    bool hasEmptySlots() const { return emptyCount_ > 0; }

private:
    std::size_t emptyBefore(std::size_t slot) const;

    std::unordered_map<uint32_t, std::size_t> slotOfId_;
    std::vector<bool> empty_;
    std::vector<std::size_t> tree_;  // tree_[i]: empty slots among the lowbit(i) slots up to slot i - 1
    std::size_t emptyCount_ = 0;
};

}  // namespace hotsync
