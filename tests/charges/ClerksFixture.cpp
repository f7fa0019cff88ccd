#include "ClerksFixture.h"

#include "DiskFaults.h"
#include "PracticeDatabase.h"
#include "PrivateDisk.h"
#include "Workgroup.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

void ClerksTest::TearDown()
{
    diskfaults::answerWritesAsFullDisk(false);
    otherClerk_.reset();
    if (!fullDiskMount_.empty()) {
        Globals().DbConnection.reset();
        ::umount2(fullDiskMount_.c_str(), MNT_DETACH);
    }
    ChargesListTest::TearDown();
}

std::unique_ptr<jet::Connection> ClerksTest::connectToDatabase() const
{
    std::string error;
    auto connection = jet::Connection::open(practicedb::connectionSettings(databasePath.toStdString()), error);
    EXPECT_TRUE(connection) << error;
    return connection;
}

void ClerksTest::asOtherClerk(const std::function<void()>& work)
{
    if (!otherClerk_)
        otherClerk_ = connectToDatabase();
    std::swap(Globals().DbConnection, otherClerk_);
    work();
    std::swap(Globals().DbConnection, otherClerk_);
}

int ClerksTest::writesOfRun(const std::function<void()>& work, int killAfter)
{
    // No handle on the database may cross the fork: the child opens its own.
    Globals().DbConnection.reset();
    int pipeEnds[2];
    EXPECT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        int writes = 0;
        diskfaults::install();
        diskfaults::onWrite([&writes, killAfter, reportTo = pipeEnds[1]] {
            const char written = 'w';
            if (::write(reportTo, &written, 1) != 1)
                ::_exit(3);
            if (++writes == killAfter)
                ::raise(SIGKILL);
        });
        Globals().DbConnection = connectToDatabase();
        if (!Globals().DbConnection)
            ::_exit(4);
        work();
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    int writes = 0;
    char written = 0;
    while (::read(pipeEnds[0], &written, 1) == 1)
        ++writes;
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (killAfter > 0 && writes >= killAfter)
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill after write " << killAfter;
    else
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run without a kill, status " << status;
    Globals().DbConnection = connectToDatabase();
    return writes;
}

void ClerksTest::putDatabaseOnFullDisk()
{
    Globals().DbConnection.reset();
    const std::filesystem::path mount = folder.file("full-disk");
    std::filesystem::create_directory(mount);
    if (!testsupport::mountPrivateDisk(mount.string(), "2m")) {
        std::cout << "[ DISK     ] no tmpfs may be mounted here (" << std::strerror(errno)
                  << "): writes to the database are answered as a full disk" << std::endl;
        diskfaults::install();
        Globals().DbConnection = connectToDatabase();
        diskfaults::answerWritesAsFullDisk(true);
        return;
    }
    fullDiskMount_ = mount.string();
    const std::filesystem::path database(databasePath.toStdString());
    const std::filesystem::path workgroup(jet::workgroupPathFor(database.string()));
    std::filesystem::copy_file(database, mount / database.filename());
    std::filesystem::copy_file(workgroup, mount / workgroup.filename());
    databasePath = QString::fromStdString((mount / database.filename()).string());
    Globals().DatabasePath = databasePath;
    // Open before the disk fills: the connection's shared memory takes its room now, its log none yet.
    Globals().DbConnection = connectToDatabase();
    EXPECT_EQ(testsupport::fillDisk(mount.string(), "filler"), ENOSPC);
    std::cout << "[ DISK     ] the database is on a full 2 MB tmpfs" << std::endl;
}
