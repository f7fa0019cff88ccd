// Feeds arbitrary bytes to the table-description reader as a file and checks that what it
// keeps stays within the file's limits.
#include "HotSyncLog.h"
#include "TableDescription.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path workFolder;

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkFields(const SyncTableDescription& table)
{
    check(table.fields.size() <= kMaxFields);
    for (const auto& field : table.fields) {
        check(field.handheldName.size() < kHandheldNameWidth);
        check(field.desktopColumn.size() < kDesktopNameWidth);
        check(field.kind >= FieldKind::Carried && field.kind <= FieldKind::Autonumber);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    workFolder = std::filesystem::temp_directory_path() /
                 ("fuzz_table_description_" + std::to_string(getpid()));
    std::filesystem::create_directories(workFolder);
    // Log entries land in this folder's log, which is emptied after every input.
    setenv("HOTSYNC_DIR", workFolder.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = workFolder / "input.vlx";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    TableDescriptionFile description;
    const int result = ReadTableDescriptionFile(path.string(), description);
    check(result == 0 || result == 1);
    check(description.tables.size() <= kMaxTables);
    check(description.subTables.size() <= kMaxSubTables);
    check(description.preferenceDatabase.size() < kPreferenceNameWidth);
    int subTablesOwned = 0;
    for (const auto& table : description.tables) {
        check(table.handheldDatabase.size() < kHandheldNameWidth);
        check(table.timeStampColumn.size() < kTimeStampColumnWidth);
        check(table.extraCondition.size() < kExtraConditionWidth);
        check(table.constantColumns.size() <= kMaxConstantColumns);
        checkFields(table);
        if (table.subTableCount > 0) {
            check(table.firstSubTable >= 0);
            check(table.firstSubTable + table.subTableCount <=
                  static_cast<int>(description.subTables.size()));
        }
        subTablesOwned += table.subTableCount;
    }
    check(subTablesOwned == static_cast<int>(description.subTables.size()));
    for (const auto& subTable : description.subTables) {
        check(subTable.writeTable.size() < kDesktopNameWidth);
        checkFields(subTable);
    }
    std::error_code ignored;
    std::filesystem::remove(workFolder / HOTSYNC_LOG_FILE_NAME, ignored);
    return 0;
}
