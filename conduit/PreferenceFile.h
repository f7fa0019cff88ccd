#pragma once
// The handheld preference database (the P line): its record 0, laid out by its own
// application-info block.
#include "HandheldLayout.h"

#include <cstdint>
#include <string>
#include <vector>

struct PreferenceFile {
    std::string databaseName;
    std::uint8_t handle = 0;
    HandheldLayout layout;
    std::vector<std::uint8_t> record;  // record 0, layout.storedRecordSize() bytes
    std::uint32_t recordId = 0;
    std::uint16_t category = 0;
};

// Opens the database and keeps its layout and record 0. 0 on success; 6 without a database name
// (nothing logged); 1 it cannot be opened, 2 its layout cannot be read, 4 record 0 cannot be
// read (each logged; the database is closed again).
int OpenPreferenceFile(PreferenceFile& preference, const std::string& databaseName);
// Closes the database, storing what was written to it. 0, or 1 when it was not stored (logged).
int ClosePreferenceFile(PreferenceFile& preference);
// Writes the number's decimal text into the field named exactly name. 0, or 1 without such field.
int SetPreferenceField(const HandheldLayout& layout, std::vector<std::uint8_t>& record, long number,
                       const std::string& name);
// Writes the kept record 0 back under its id. 0, or 1 on failure (logged).
int WritePreferenceRecord(PreferenceFile& preference);
