#pragma once
// One whole synchronisation run for the handheld of the current HotSync.
#include <string>

// Registers a new handheld, then exchanges every table of the table-description file with the
// practice database. purgeFlag 1: the desktop overwrites the handheld. The database comes from
// the HotSync user's settings, else from the default paths. Every failure is written to the
// HotSync log. 0, or 1 when a table was not exchanged or not stored, or a failure ended the run,
// so that the HotSync manager can tell the user.
int SyncTables(int purgeFlag, const std::string& conduitName, const std::string& tableDescriptionPath,
               const std::string& defaultDatabasePath, const std::string& defaultWorkgroupPath);
