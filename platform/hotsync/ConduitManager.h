#pragma once
// Conduit Manager (libcondmgr): conduit registrations per creator id, kept in the HotSync
// directory as "Conduits/<creator id as 8 hex digits>.reg". A registration holds the conduit
// library's file name, a title, a remote name, a file (the table-description path) and a user.
// A conduit reads the registry key and value of its default database as A, NAME and VALUE through
// CmGetCreatorUser, CmGetCreatorTitle and CmGetCreatorRemote.
#include <cstdint>

extern "C" {

enum ConduitManagerResult : int32_t {
    CM_OK = 0,
    CM_ERR_BAD_ARGUMENT = -1001,     // null pointer, creator text not 4 characters, line break in a value
    CM_ERR_NOT_FOUND = -1002,        // no registration for the creator
    CM_ERR_BUFFER_TOO_SMALL = -1003,
    CM_ERR_STORAGE = -1004,          // the registration file could not be read or written
    CM_ERR_CREATOR_EXISTS = -1005
};

// Creator id <-> its four characters (first character in the high byte). The text needs a
// buffer of at least 5; size in: the buffer's size, out: 4.
int32_t CmConvertCreatorIDToString(uint32_t creatorId, char* buffer, int32_t* size);
int32_t CmConvertStringToCreatorID(const char* creator, uint32_t* creatorId);

// Creates the registration; CM_ERR_CREATOR_EXISTS when there is one already.
int32_t CmInstallCreator(const char* creator, int32_t conduitType);
int32_t CmSetCreatorName(const char* creator, const char* libraryFileName);
int32_t CmSetCreatorTitle(const char* creator, const char* title);
int32_t CmSetCreatorRemote(const char* creator, const char* remoteName);
int32_t CmSetCreatorFile(const char* creator, const char* fileName);
int32_t CmSetCreatorUser(const char* creator, const char* user);

// Registered strings, zero-terminated; size in: the buffer's size, out: the text's length.
int32_t CmGetCreatorName(const char* creator, char* buffer, int32_t* size);
int32_t CmGetCreatorTitle(const char* creator, char* buffer, int32_t* size);
int32_t CmGetCreatorRemote(const char* creator, char* buffer, int32_t* size);
int32_t CmGetCreatorFile(const char* creator, char* buffer, int32_t* size);
int32_t CmGetCreatorUser(const char* creator, char* buffer, int32_t* size);

}  // extern "C"
