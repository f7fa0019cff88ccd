#pragma once
// Reading back the HotSync log, so that the HotSync manager can tell what a run wrote to it.
#include <cstdint>
#include <string>
#include <vector>

namespace hotsync {

// The log's size now: where the entries of a run that starts next will begin.
std::uintmax_t hotSyncLogSize();

// The texts of the plain-text entries written from offset on, in order.
std::vector<std::string> hotSyncLogTextsFrom(std::uintmax_t offset);

}  // namespace hotsync
