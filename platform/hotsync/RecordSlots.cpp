#include "RecordSlots.h"

namespace hotsync {

namespace {
std::size_t lowestBit(std::size_t value)
{
    return value & (~value + 1);
}
}  // namespace

void RecordSlots::reset(const std::vector<uint32_t>& uniqueIds)
{
    slotOfId_.clear();
    for (std::size_t slot = 0; slot < uniqueIds.size(); ++slot)
        slotOfId_[uniqueIds[slot]] = slot;
    empty_.assign(uniqueIds.size(), false);
    tree_.assign(uniqueIds.size() + 1, 0);
    emptyCount_ = 0;
}

std::size_t RecordSlots::add(uint32_t uniqueId)
{
    const std::size_t slot = empty_.size();
    empty_.push_back(false);
    // The new node covers the slots before it that its lowest bit spans; the new slot itself is full.
    const std::size_t node = slot + 1;
    tree_.push_back(emptyBefore(slot) - emptyBefore(node - lowestBit(node)));
    slotOfId_[uniqueId] = slot;
    return slot;
}

void RecordSlots::remove(uint32_t uniqueId)
{
    const auto found = slotOfId_.find(uniqueId);
    if (found == slotOfId_.end())
        return;
    const std::size_t slot = found->second;
    slotOfId_.erase(found);
    empty_[slot] = true;
    ++emptyCount_;
    for (std::size_t node = slot + 1; node < tree_.size(); node += lowestBit(node))
        ++tree_[node];
}

std::optional<std::size_t> RecordSlots::slotOf(uint32_t uniqueId) const
{
    const auto found = slotOfId_.find(uniqueId);
    if (found == slotOfId_.end())
        return std::nullopt;
    return found->second;
}

std::size_t RecordSlots::indexOf(std::size_t slot) const
{
    return slot - emptyBefore(slot);
}

std::optional<std::size_t> RecordSlots::slotAt(std::size_t index) const
{
    if (index >= recordCount())
        return std::nullopt;
    // Descends the tree for the last node before which fewer than index + 1 slots are full.
    std::size_t node = 0;
    std::size_t fullBefore = 0;
    std::size_t step = 1;
    while (step * 2 < tree_.size())
        step *= 2;
    for (; step > 0; step /= 2) {
        const std::size_t next = node + step;
        if (next < tree_.size() && fullBefore + (step - tree_[next]) <= index) {
            node = next;
            fullBefore += step - tree_[next];
        }
    }
    return node;
}

std::size_t RecordSlots::emptyBefore(std::size_t slot) const
{
    std::size_t count = 0;
    for (std::size_t node = slot; node > 0; node -= lowestBit(node))
        count += tree_[node];
    return count;
}

}  // namespace hotsync
