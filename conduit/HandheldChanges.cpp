#include "HandheldChanges.h"

#include "ConduitLog.h"
#include "DesktopRows.h"
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "MirrorRepair.h"
#include "OdbcAccess.h"
#include "PalmRecordEdits.h"
#include "PalmTables.h"
#include "SyncManager.h"
#include "SyncStatus.h"
#include "TableDescription.h"

#include <algorithm>
#include <set>

namespace {

// The mirror row then holds what both sides have, so the desktop passes do not send it again.
void renewMirrorRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry)
{
    if (DeleteMirrorRow(run, table, entry.recordId) != 0)
        ConduitLog("Delete Failed");
    else if (InsertMirrorRow(run, table, entry.recordId, entry.bytes) != 0)
        ConduitLog("InsertVX Failed");
}

// Removes a deleted record from the handheld, once the desktop has committed, and its mirror row.
void forgetDeletedRecord(const SyncRun& run, const SyncTableDescription& table, PalmRecordEntry& entry)
{
    entry.followUp = HandheldFollowUp::Removal;
    if (DeleteMirrorRow(run, table, entry.recordId) != 0)
        ConduitLog("Delete Failed");
}

// Without an id the record could be neither written back nor named by its mirror row; a mirror
// row naming id 0 is forgotten with it. False when it could not be given one (logged).
bool giveRecordAnId(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry)
{
    if (DeleteMirrorRow(run, table, 0) != 0) {
        ConduitLog("Delete Failed");
        return false;
    }
    return GiveRecordAnId(table, entry) == 0;
}

// A record the handheld deleted: its desktop row goes too, unless the desktop changed it later
// or still needs it, in which case the record comes back from the desktop.
void applyDeletedRecord(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool found)
{
    if (found) {
        bool desktopKeepsIt = ComparePCTimestamp(table, entry) == 1;
        if (!desktopKeepsIt && RefuseDeletionInUse(run, table, entry, desktopKeepsIt) != 0) {
            ConduitLog("Update Failed");
            return;
        }
        if (desktopKeepsIt) {
            if (WriteDesktopRowToPalm(table, entry.recordId, entry.bytes) != 0) {
                ConduitLog("Palm Record Update Failed");
                return;
            }
            entry.status = kStatusOverwrittenFromDesktop;
            renewMirrorRow(run, table, entry);
            return;
        }
        if (DeletePCRow(run, table, entry) != 0) {
            ConduitLog("Update Failed");
            return;
        }
        entry.status = kStatusDeletedOnDesktop;
    }
    forgetDeletedRecord(run, table, entry);
}

// Which compared fields the handheld's version gives (by index of the table's fields): those it
// changed since it was last given the record, its mirror row, unless the desktop changed them
// too and later. Every other field keeps the desktop's value, which the handheld may hold only
// in part (cut, or outside its code page). Without a mirror row every field counts as changed
// on both sides. 0, or 1 when the mirror could not be read (logged).
int chooseHandheldFields(const SyncRun& run, const SyncTableDescription& table, const PalmRecordEntry& entry,
                         bool handheldNewer, std::vector<bool>& fromHandheld)
{
    std::vector<std::string> mirrored;
    bool known = false;
    if (ReadMirrorRow(run, table, entry.recordId, mirrored, known) != 0)
        return 1;
    const HandheldLayout& layout = ReadTableLayout(table);
    fromHandheld.assign(table.fields.size(), false);
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const SyncFieldDescription& field = table.fields[i];
        if (field.kind != FieldKind::Compared)
            continue;
        const HandheldFieldDescriptor& descriptor = layout.fields.at(static_cast<std::size_t>(field.descriptorIndex));
        const bool handheldChanged = !known || !FieldHolds(descriptor, entry.bytes, mirrored[i]);
        const bool desktopChanged = !known || !SameWhenStored(descriptor, field.value, mirrored[i]);
        fromHandheld[i] = handheldChanged && (handheldNewer || !desktopChanged);
    }
    return 0;
}

// The record as the handheld is to hold it once its fields are applied: the desktop's values of
// the fields the handheld's version does not give.
void takeDesktopFields(const SyncTableDescription& table, const std::vector<bool>& fromHandheld,
                       PalmRecordEntry& entry)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const SyncFieldDescription& field = table.fields[i];
        if (field.kind != FieldKind::Compared || fromHandheld[i])
            continue;
        std::string desktopValue = field.value;
        ConvertField(ConversionMode::TextToRecord, entry.bytes, desktopValue,
                     layout.fields.at(static_cast<std::size_t>(field.descriptorIndex)));
    }
}

// A changed record whose desktop row exists: each side keeps the fields only it changed; of a
// field both changed, the newer side's value wins. The newer side's sub-records follow.
int mergeChangedRecord(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry)
{
    const bool handheldNewer = ComparePCTimestamp(table, entry) != 1;
    std::vector<bool> fromHandheld;
    if (chooseHandheldFields(run, table, entry, handheldNewer, fromHandheld) != 0 ||
        UpdatePCRow(run, table, entry, fromHandheld, handheldNewer) != 0) {
        ConduitLog("Update Failed");
        return 1;
    }
    if (handheldNewer) {
        takeDesktopFields(table, fromHandheld, entry);
        entry.status = kStatusUpdatedOnDesktop;
        entry.followUp = HandheldFollowUp::WriteBack;
        return 0;
    }
    // The desktop row goes over the record, read again when it took fields from the handheld.
    bool found = true;
    if (std::find(fromHandheld.begin(), fromHandheld.end(), true) != fromHandheld.end())
        FindPCRow(run, table, entry, found);
    if (!found || WriteDesktopRowToPalm(table, entry.recordId, entry.bytes) != 0) {
        ConduitLog("Update Failed");
        return 1;
    }
    entry.status = kStatusOverwrittenFromDesktop;
    return 0;
}

// A new or changed record.
void applyChangedRecord(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool found)
{
    if (found) {
        if (mergeChangedRecord(run, table, entry) != 0)
            return;
    } else {
        if (InsertPCRow(run, table, entry) != 0) {
            ConduitLog("Insert Failed");
            return;
        }
        entry.status = kStatusInsertedOnDesktop;
        entry.followUp = HandheldFollowUp::WriteBack;
    }
    renewMirrorRow(run, table, entry);
    SyncYieldCycles(1);
}

}  // namespace

int PurgeTable(const SyncRun& run, SyncTableDescription& table)
{
    SyncYieldCycles(1);
    if (TakeWriteLock(run.connection) != 0)
        return kDesktopChangedMeanwhile;
    ConduitLog("Purging table!!");
    if (PurgePCRows(run, table) != 0) {
        ConduitLog("Delete All Failed");
        return 1;
    }
    std::int32_t error = SyncPurgeAllRecs(table.handheldHandle);
    if (error != SYNC_OK)
        ConduitLog("Error Purging PDT data err=" + std::to_string(error));
    table.records.clear();
    table.written = true;
    return 0;
}

int ApplyHandheldChanges(const SyncRun& run, SyncTableDescription& table)
{
    if (ReadModifiedPalmRecords(table) != 0) {
        ConduitLog("Error Reading Table Data");
        return 1;
    }
    std::set<std::uint32_t> sharingAKey;
    if (RepairMirror(run, table, sharingAKey) != 0)
        return kDesktopChangedMeanwhile;
    for (PalmRecordEntry& entry : table.records) {
        SyncYieldCycles(1);
        if (RefuseShortRecord(table, entry))
            continue;
        // Deleting one of two records of a patient leaves the other, and the desktop row, alone.
        const bool heldTwice = sharingAKey.count(entry.recordId) != 0;
        if (heldTwice && !entry.deleted)
            continue;
        if (TakeWriteLock(run.connection) != 0)
            return kDesktopChangedMeanwhile;
        if (heldTwice) {
            forgetDeletedRecord(run, table, entry);
            continue;
        }
        if (entry.recordId == 0 && !entry.deleted && !giveRecordAnId(run, table, entry))
            continue;
        bool found = false;
        if (FindPCRow(run, table, entry, found) != 0)
            continue;
        if (entry.deleted)
            applyDeletedRecord(run, table, entry, found);
        else
            applyChangedRecord(run, table, entry, found);
    }
    return 0;
}

void SettleHandheldFollowUps(SyncTableDescription& table)
{
    for (PalmRecordEntry& entry : table.records) {
        if (entry.followUp == HandheldFollowUp::WriteBack)
            WriteBackPalmRecord(table, entry);
        else if (entry.followUp == HandheldFollowUp::Removal)
            DeletePalmRecord(table, entry.recordId);
        entry.followUp = HandheldFollowUp::None;
    }
}
