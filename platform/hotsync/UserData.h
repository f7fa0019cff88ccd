#pragma once
// User data (libUserData): text settings per HotSync user id, section and key, kept in the
// HotSync directory as "Users/<user id>.ini".
#include <cstdint>

extern "C" {

// Copies the value (or defaultValue when the key is not set) zero-terminated into buffer.
// size in: the buffer's size, out: the text's length. 0 on success; nonzero for a null
// argument, a buffer too small or a settings file that cannot be read.
int32_t UserDataGetString(uint32_t userId, const char* section, const char* key, char* buffer,
                          int32_t* size, const char* defaultValue);
// 0 when stored; nonzero for a null argument, a line break in any text or a file error.
int32_t UserDataSetString(uint32_t userId, const char* section, const char* key, const char* value);

}  // extern "C"
