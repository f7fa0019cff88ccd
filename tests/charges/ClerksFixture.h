#pragma once
#include "ChargesListFixture.h"
#include "JetConnection.h"

#include <functional>
#include <memory>
#include <string>

// Several clerks on one practice database: another clerk with a connection of its own, a
// clerk's work in a process killed at a chosen moment, and the database on a full disk.
class ClerksTest : public ChargesListTest {
protected:
    void TearDown() override;

    // Runs work as another clerk: the data routines use that clerk's connection meanwhile.
    void asOtherClerk(const std::function<void()>& work);

    // Runs work in a child process on a connection of its own, killed after its killAfter-th
    // write to the database file or its log (0: never); answers how many writes it made. This
    // process's connection is closed meanwhile and open again afterwards.
    int writesOfRun(const std::function<void()>& work, int killAfter);

    // Puts the database on a full disk: moved to a small tmpfs that is then filled, where this
    // process may mount one; otherwise the file layer answers its writes as a full disk. Says
    // which in the test's output.
    void putDatabaseOnFullDisk();

private:
    std::unique_ptr<jet::Connection> connectToDatabase() const;

    std::unique_ptr<jet::Connection> otherClerk_;
    std::string fullDiskMount_;
};
