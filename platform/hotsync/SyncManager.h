#pragma once
// Sync Manager (libsync20): the handheld's databases as the conduit sees them.
//
// A handheld is a folder: one Palm database file "<name>.pdb" per handheld database and the
// file "HotSyncUser" holding the HotSync user ("Name=<text>" and "Id=<decimal>" lines).
// The HotSync manager chooses the folder with SyncSetHandheldFolder before it calls a conduit.
// Changes to an open database are kept in memory and written to its file, atomically, when it
// is closed (or when the conduit unregisters with databases still open).
#include <cstdint>

extern "C" {

enum SyncResult : int32_t {
    SYNC_OK = 0,
    SYNC_ERR_NO_HANDHELD = 0x4001,       // no handheld folder chosen, or it holds no user file
    SYNC_ERR_NOT_FOUND = 0x4002,         // no such database or record
    SYNC_ERR_BAD_ARGUMENT = 0x4003,
    SYNC_ERR_BAD_HANDLE = 0x4004,
    SYNC_ERR_ALREADY_OPEN = 0x4005,
    SYNC_ERR_TOO_MANY_OPEN = 0x4006,
    SYNC_ERR_NO_MORE_RECORDS = 0x4007,
    SYNC_ERR_BUFFER_TOO_SMALL = 0x4008,
    SYNC_ERR_READ_ONLY = 0x4009,
    SYNC_ERR_MALFORMED_DATABASE = 0x400A,  // reported in the HotSync log as well
    SYNC_ERR_FILE = 0x400B,              // the file could not be read or written
    SYNC_ERR_ALREADY_REGISTERED = 0x400C,
    SYNC_ERR_NOT_REGISTERED = 0x400D,
    SYNC_ERR_DATABASE_FULL = 0x400E      // no record index or unique id left
};

// Open modes, combined.
enum : uint8_t { SYNC_MODE_READ = 0x80, SYNC_MODE_WRITE = 0x40, SYNC_MODE_READ_WRITE = 0xC0 };

// Record attribute flags (the category is carried apart, 0-15).
enum : uint8_t {
    SYNC_REC_DELETED = 0x80,
    SYNC_REC_DIRTY = 0x40,   // the handheld changed the record since the last HotSync
    SYNC_REC_BUSY = 0x20,
    SYNC_REC_SECRET = 0x10
};

// One record moving between the caller and a database. Packed with no gaps: 28 bytes where
// addresses are 32-bit; the buffer address is as wide as a pointer. Fields are unaligned: copy
// them, never bind a reference or pointer to one.
#pragma pack(push, 1)
struct SyncRecordInfo {
    uint8_t dbHandle;
    uint32_t recordId;     // unique id; 0 on a write makes a new record
    uint16_t index;
    uint8_t attributes;    // SYNC_REC_* flags
    uint16_t category;
    uint32_t conduitId;
    uint32_t recordSize;   // bytes in the record
    uint16_t bufferSize;   // bytes the buffer holds (reads)
    uint8_t* buffer;
    uint32_t reserved;
};
#pragma pack(pop)
static_assert(sizeof(SyncRecordInfo) == 24 + sizeof(uint8_t*), "record info is packed with no gaps");

// Chooses the handheld folder that the following calls work on (the HotSync manager's call).
int32_t SyncSetHandheldFolder(const char* folder);

int32_t SyncRegisterConduit(uint32_t* conduitHandle);
int32_t SyncUnRegisterConduit(uint32_t conduitHandle);
// The HotSync user of the handheld: name (zero-terminated, cut to nameSize - 1) and id.
int32_t SyncReadUserID(char* name, int32_t nameSize, uint32_t* userId);

int32_t SyncOpenDB(const char* name, int32_t cardNumber, uint8_t* dbHandle, uint8_t openMode);
int32_t SyncCloseDB(uint8_t dbHandle);
int32_t SyncGetDBRecordCount(uint8_t dbHandle, uint16_t* count);

// Reads fill attributes, category, index, record id and size, and copy the bytes into buffer
// (SYNC_ERR_BUFFER_TOO_SMALL when bufferSize cannot hold them; recordSize still tells the need).
int32_t SyncReadRecordById(SyncRecordInfo* info);
int32_t SyncReadRecordByIndex(SyncRecordInfo* info);
// The next record, in index order, whose dirty flag is set; SYNC_ERR_NO_MORE_RECORDS at the end.
int32_t SyncReadNextModifiedRec(SyncRecordInfo* info);
// Writes recordSize bytes from buffer with the given category and attributes under recordId
// (0: a new record with a new unique id, answered in recordId). Written records are clean.
int32_t SyncWriteRec(SyncRecordInfo* info);
int32_t SyncDeleteRec(uint8_t dbHandle, uint32_t recordId);
int32_t SyncPurgeAllRecs(uint8_t dbHandle);

// Copies the application-info block; size in: the buffer's size, out: the block's size.
int32_t SyncReadDBAppInfoBlock(uint8_t dbHandle, uint8_t* buffer, uint16_t* size);
int32_t SyncWriteDBSortInfoBlock(uint8_t dbHandle, const uint8_t* buffer, uint16_t size);

// Gives the HotSync manager its turn; the stand-in has nothing to do in between.
int32_t SyncYieldCycles(uint16_t maxCycles);

// Byte order between the handheld (big-endian) and this desktop.
uint16_t SyncHHToHostWord(uint16_t value);
uint32_t SyncHHToHostDWord(uint32_t value);
uint16_t SyncHostToHHWord(uint16_t value);
uint32_t SyncHostToHHDWord(uint32_t value);

}  // extern "C"
