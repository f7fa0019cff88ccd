#pragma once
// Single-record edits of an open handheld table that several passes of a run share.
#include <cstdint>
#include <vector>

struct PalmRecordEntry;
struct SyncTableDescription;

// Deletes the record on the handheld; logs "Error deleting RecId %d from Palm , err=%d" on
// failure, sets the table's written flag on success. 0 or 1.
int DeletePalmRecord(SyncTableDescription& table, std::uint32_t recordId);

// Writes the entry's bytes back under its own id, which clears the record's modified mark; logs
// "Error clearing dirty flag in :%d , err=%d" on failure. 0 or 1. A record without an id gets one
// (GiveRecordAnId). A record refused as shorter than its layout is never written back: padded
// with zeros it would pass for a whole one (1, the refusal was logged).
int WriteBackPalmRecord(SyncTableDescription& table, PalmRecordEntry& entry);

// A record whose unique id is 0 cannot be written back under it (0 asks for a new record): it is
// written again as a new record, whose id the entry takes, and the one without an id is removed.
// Logged. 0, or 1 (logged).
int GiveRecordAnId(SyncTableDescription& table, PalmRecordEntry& entry);

// Reads the record with the id into bytes, sized to the table's layout; the handheld's result.
std::int32_t ReadPalmRecordById(const SyncTableDescription& table, std::uint32_t recordId,
                                std::vector<std::uint8_t>& bytes);

// Writes the desktop row fetched last (the table's desktop stamp and the fields' value texts)
// over the record under recordId (0: a new record, whose id comes back). A row without a stamp
// gets six zero bytes, as in a table without a stamp column. 0, or 1 (logged).
int WriteDesktopRowToPalm(SyncTableDescription& table, std::uint32_t& recordId, std::vector<std::uint8_t>& record);
