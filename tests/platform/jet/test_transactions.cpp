#include "JetTestDatabase.h"

#include <filesystem>

namespace {

class JetTransactions : public JetDatabaseTest {
protected:
    void SetUp() override
    {
        JetDatabaseTest::SetUp();
        connection = openConnection();
        ASSERT_TRUE(connection);
    }

    void insertNote(const std::string& body)
    {
        long affected = 0;
        std::string error;
        ASSERT_TRUE(connection->execute("INSERT INTO Notes (Body) VALUES ('" + body + "')", affected, error)) << error;
    }

    void begin()
    {
        std::string error;
        ASSERT_TRUE(connection->beginTrans(error)) << error;
    }
    void commit()
    {
        std::string error;
        ASSERT_TRUE(connection->commitTrans(error)) << error;
    }
    void rollback()
    {
        std::string error;
        ASSERT_TRUE(connection->rollbackTrans(error)) << error;
    }

    long long notes() { return countDirectly("SELECT COUNT(*) FROM Notes"); }
    long long notesSeenByConnection()
    {
        jet::Rows rows;
        std::string error;
        EXPECT_TRUE(connection->query("SELECT COUNT(*) FROM Notes", rows, error)) << error;
        return rows.rows.empty() ? -1 : std::get<std::int64_t>(rows.rows[0][0]);
    }

    std::unique_ptr<jet::Connection> connection;
};

}  // namespace

TEST_F(JetTransactions, OuterCommitMakesRowsVisibleToOthers)
{
    begin();
    insertNote("a");
    EXPECT_EQ(notes(), 0);
    commit();
    EXPECT_EQ(notes(), 1);
    EXPECT_EQ(connection->transactionLevel(), 0);
}

TEST_F(JetTransactions, InnerCommitThenOuterRollbackUndoesAll)
{
    begin();
    insertNote("outer");
    begin();
    insertNote("inner");
    commit();
    EXPECT_EQ(connection->transactionLevel(), 1);
    EXPECT_EQ(notesSeenByConnection(), 2);
    EXPECT_EQ(notes(), 0);
    rollback();
    EXPECT_EQ(connection->transactionLevel(), 0);
    EXPECT_EQ(notesSeenByConnection(), 0);
    EXPECT_EQ(notes(), 0);
}

TEST_F(JetTransactions, ThreeLevelsRollBackOnlyTheirOwnLevel)
{
    begin();
    insertNote("one");
    begin();
    insertNote("two");
    begin();
    insertNote("three");
    EXPECT_EQ(connection->transactionLevel(), 3);
    commit();  // level 3 folds into level 2
    rollback();  // level 2 undoes "two" and "three"
    EXPECT_EQ(notesSeenByConnection(), 1);
    begin();
    insertNote("again");
    commit();
    commit();
    EXPECT_EQ(connection->transactionLevel(), 0);
    EXPECT_EQ(notes(), 2);
}

TEST_F(JetTransactions, CommitOrRollbackWithoutTransactionIsAnError)
{
    std::string error;
    EXPECT_FALSE(connection->commitTrans(error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(connection->rollbackTrans(error));
    EXPECT_FALSE(error.empty());
    begin();
    commit();
    EXPECT_FALSE(connection->commitTrans(error));
}

TEST_F(JetTransactions, FailedStatementInsideATransactionKeepsIt)
{
    begin();
    insertNote("kept");
    long affected = 0;
    std::string error;
    EXPECT_FALSE(connection->execute("INSERT INTO Notes (NoteId, Body) VALUES (1, 'dup')", affected, error));
    EXPECT_EQ(connection->transactionLevel(), 1);
    commit();
    EXPECT_EQ(notes(), 1);
}

TEST_F(JetTransactions, ClosingWithAnOpenTransactionRollsItBack)
{
    begin();
    insertNote("lost");
    connection.reset();
    EXPECT_EQ(notes(), 0);
}

TEST_F(JetTransactions, ACopyOfTheDatabaseFileAloneHoldsWhatWasCommitted)
{
    begin();
    long affected = 0;
    std::string error;
    ASSERT_TRUE(connection->execute("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime) "
                                    "VALUES (25000, #12/09/2026#, #10:15:00#)",
                                    affected, error))
        << error;
    commit();
    insertNote("without a transaction");

    // The usual backup: the database file alone, copied while the program keeps it open.
    const std::string backup = folder.file("backup.mdb");
    std::filesystem::copy_file(databasePath, backup);
    databasePath = backup;
    EXPECT_EQ(countDirectly("SELECT COUNT(*) FROM PatientCharges"), 1);
    EXPECT_EQ(notes(), 1);
}

TEST_F(JetTransactions, AfterTheDatabaseUndidATransactionNothingRunsUntilItsOwnerEndsIt)
{
    begin();
    insertNote("undone");
    // The database ends the transaction itself, as it does after some disk failures.
    long affected = 0;
    std::string error;
    ASSERT_TRUE(connection->execute("ROLLBACK", affected, error)) << error;
    EXPECT_FALSE(connection->execute("INSERT INTO Notes (Body) VALUES ('outside')", affected, error));
    EXPECT_FALSE(connection->beginTrans(error));
    EXPECT_EQ(connection->transactionLevel(), 1);
    EXPECT_FALSE(connection->commitTrans(error));
    rollback();
    EXPECT_EQ(connection->transactionLevel(), 0);
    EXPECT_EQ(notes(), 0);
    insertNote("later");
    EXPECT_EQ(notes(), 1);
}
