#pragma once
// Install aide (libinstaide).
//
// The HotSync directory is the value of the environment variable HOTSYNC_DIR; without it,
// "$XDG_DATA_HOME/hotsync", or "$HOME/.local/share/hotsync" when XDG_DATA_HOME is not set.
#include <cstdint>

extern "C" {

enum : int32_t { INSTALL_AIDE_HOTSYNC_DIRECTORY = 2 };

// Kind INSTALL_AIDE_HOTSYNC_DIRECTORY answers the HotSync directory ending in "/".
// size in: the buffer's size, out: the text's length. 0 on success; nonzero for another kind,
// a null argument or a buffer too small.
int32_t InstallAideGetPath(int32_t kind, char* buffer, int32_t* size);

}  // extern "C"
