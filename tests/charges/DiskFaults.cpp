#include "DiskFaults.h"

#include <sqlite3.h>

namespace diskfaults {
namespace {

// The system's own file, kept right behind ours in the space the database gives a file.
struct FaultFile {
    sqlite3_file base;
    sqlite3_file* real;
    bool watched;  // a database file or its log
};

sqlite3_vfs* systemLayer = nullptr;
sqlite3_vfs faultLayer;
sqlite3_io_methods faultMethods;
bool writesFail = false;
std::function<void()> writeObserver;

sqlite3_file* real(sqlite3_file* file) { return reinterpret_cast<FaultFile*>(file)->real; }

int faultWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset)
{
    const bool watched = reinterpret_cast<FaultFile*>(file)->watched;
    if (watched && writesFail)
        return SQLITE_FULL;
    const int result = real(file)->pMethods->xWrite(real(file), data, amount, offset);
    if (watched && result == SQLITE_OK && writeObserver)
        writeObserver();
    return result;
}

// Every other call goes to the system's file unchanged.
template <auto Member, typename... Arguments>
auto passOn(sqlite3_file* file, Arguments... arguments)
{
    return (real(file)->pMethods->*Member)(real(file), arguments...);
}

int faultOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* fault = reinterpret_cast<FaultFile*>(file);
    fault->real = reinterpret_cast<sqlite3_file*>(fault + 1);
    fault->watched = (flags & (SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_WAL)) != 0;
    const int result = systemLayer->xOpen(systemLayer, name, fault->real, flags, outFlags);
    fault->base.pMethods = fault->real->pMethods ? &faultMethods : nullptr;
    return result;
}

}  // namespace

void install()
{
    if (systemLayer)
        return;
    systemLayer = sqlite3_vfs_find(nullptr);
    faultLayer = *systemLayer;
    faultLayer.zName = "diskfaults";
    faultLayer.szOsFile = int(sizeof(FaultFile)) + systemLayer->szOsFile;
    faultLayer.xOpen = faultOpen;

    faultMethods.iVersion = 3;
    faultMethods.xClose = passOn<&sqlite3_io_methods::xClose>;
    faultMethods.xRead = passOn<&sqlite3_io_methods::xRead, void*, int, sqlite3_int64>;
    faultMethods.xWrite = faultWrite;
    faultMethods.xTruncate = passOn<&sqlite3_io_methods::xTruncate, sqlite3_int64>;
    faultMethods.xSync = passOn<&sqlite3_io_methods::xSync, int>;
    faultMethods.xFileSize = passOn<&sqlite3_io_methods::xFileSize, sqlite3_int64*>;
    faultMethods.xLock = passOn<&sqlite3_io_methods::xLock, int>;
    faultMethods.xUnlock = passOn<&sqlite3_io_methods::xUnlock, int>;
    faultMethods.xCheckReservedLock = passOn<&sqlite3_io_methods::xCheckReservedLock, int*>;
    faultMethods.xFileControl = passOn<&sqlite3_io_methods::xFileControl, int, void*>;
    faultMethods.xSectorSize = passOn<&sqlite3_io_methods::xSectorSize>;
    faultMethods.xDeviceCharacteristics = passOn<&sqlite3_io_methods::xDeviceCharacteristics>;
    faultMethods.xShmMap = passOn<&sqlite3_io_methods::xShmMap, int, int, int, void volatile**>;
    faultMethods.xShmLock = passOn<&sqlite3_io_methods::xShmLock, int, int, int>;
    faultMethods.xShmBarrier = passOn<&sqlite3_io_methods::xShmBarrier>;
    faultMethods.xShmUnmap = passOn<&sqlite3_io_methods::xShmUnmap, int>;
    faultMethods.xFetch = passOn<&sqlite3_io_methods::xFetch, sqlite3_int64, int, void**>;
    faultMethods.xUnfetch = passOn<&sqlite3_io_methods::xUnfetch, sqlite3_int64, void*>;
    sqlite3_vfs_register(&faultLayer, 1);
}

void answerWritesAsFullDisk(bool full) { writesFail = full; }

void onWrite(std::function<void()> observer) { writeObserver = std::move(observer); }

}  // namespace diskfaults
