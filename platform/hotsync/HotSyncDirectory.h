#pragma once
#include <string>

namespace hotsync {

// The HotSync directory without a trailing "/": HOTSYNC_DIR, else "$XDG_DATA_HOME/hotsync",
// else "$HOME/.local/share/hotsync" (the current directory's "hotsync" without a HOME).
std::string hotSyncDirectory();

}  // namespace hotsync
