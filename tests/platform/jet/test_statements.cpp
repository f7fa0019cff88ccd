#include "JetTestDatabase.h"

#include <variant>

using jet::ColumnType;
using jet::Rows;

namespace {

class JetStatements : public JetDatabaseTest {
protected:
    void SetUp() override
    {
        JetDatabaseTest::SetUp();
        connection = openConnection();
        ASSERT_TRUE(connection);
    }

    long execute(const std::string& sql)
    {
        long affected = -1;
        std::string error;
        EXPECT_TRUE(connection->execute(sql, affected, error)) << sql << ": " << error;
        return affected;
    }

    Rows query(const std::string& sql)
    {
        Rows rows;
        std::string error;
        EXPECT_TRUE(connection->query(sql, rows, error)) << sql << ": " << error;
        return rows;
    }

    std::unique_ptr<jet::Connection> connection;
};

std::string text(const jet::Value& value)
{
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : "<not text>";
}

}  // namespace

TEST_F(JetStatements, AffectedRowsCountOnlyTheRowsOfThatStatement)
{
    EXPECT_EQ(execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'Ames', 'A1')"), 1);
    EXPECT_EQ(execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (2, 'Boyd', 'B2')"), 1);
    EXPECT_EQ(execute("UPDATE Doctors SET BillingDoctorCode = 'X'"), 2);
    // Nothing matched: 0, not the count of the UPDATE before.
    EXPECT_EQ(execute("DELETE FROM Doctors WHERE DoctorCode = 99"), 0);
    EXPECT_EQ(execute("SELECT * FROM Doctors"), 0);
    EXPECT_EQ(execute("DELETE FROM Doctors WHERE DoctorCode = 2"), 1);
    EXPECT_EQ(countDirectly("SELECT COUNT(*) FROM Doctors"), 1);
}

TEST_F(JetStatements, ApostropheTextIsStoredAndReadBackUnchanged)
{
    execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'O''Brien #1 \"Jr\" [x]', '')");
    const Rows rows = query("SELECT Description FROM Doctors WHERE Description = 'O''Brien #1 \"Jr\" [x]'");
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(text(rows.rows[0][0]), "O'Brien #1 \"Jr\" [x]");
}

TEST_F(JetStatements, ValuesComeBackAsNullIntegerRealOrText)
{
    execute("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, Amount, Stamp, Posted, PrintLot) "
            "VALUES (25000, #12/09/2026#, #13:05:00#, 12.5, #2026/12/09 13:05:00#, 1, NULL)");
    const Rows rows = query("SELECT PatientId, ChargeDate, ChargeTime, Amount, Stamp, Posted, PrintLot FROM PatientCharges");
    ASSERT_EQ(rows.rows.size(), 1u);
    const auto& row = rows.rows[0];
    EXPECT_EQ(std::get<std::int64_t>(row[0]), 25000);
    EXPECT_EQ(text(row[1]), "2026-12-09");
    EXPECT_EQ(text(row[2]), "13:05:00");
    EXPECT_DOUBLE_EQ(std::get<double>(row[3]), 12.5);
    EXPECT_EQ(text(row[4]), "2026-12-09 13:05:00");
    EXPECT_EQ(std::get<std::int64_t>(row[5]), 1);
    EXPECT_TRUE(jet::isNull(row[6]));
}

TEST_F(JetStatements, ChargeKeyLiteralsFindTheRowStoredWithOtherLiteralForms)
{
    execute("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime) VALUES (25001, #2026-1-5#, #9:3:7#)");
    EXPECT_EQ(execute("UPDATE PatientCharges SET PrintLot = 7 WHERE PatientId=25001  AND ChargeDate=#01/05/2026# "
                      "AND ChargeTime =#09:03:07#"),
              1);
}

TEST_F(JetStatements, DeclaredTypesOfTableColumns)
{
    const Rows rows = query("SELECT * FROM PatientCharges");
    const std::vector<std::pair<std::string, ColumnType>> expected = {
        {"PatientId", ColumnType::Integer16}, {"ChargeDate", ColumnType::Date},     {"ChargeTime", ColumnType::Time},
        {"Amount", ColumnType::Double},       {"Stamp", ColumnType::DateTime},      {"Posted", ColumnType::Flag},
        {"PrintLot", ColumnType::Integer32},  {"Total", ColumnType::Integer32},     {"Ratio", ColumnType::Double}};
    ASSERT_EQ(rows.columns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rows.columns[i].name, expected[i].first);
        EXPECT_EQ(rows.columns[i].type, expected[i].second) << expected[i].first;
    }
    const Rows doctors = query("SELECT BillingDoctorCode FROM Doctors");
    EXPECT_EQ(doctors.columns.at(0).type, ColumnType::Text);
}

TEST_F(JetStatements, DeclaredTypesThroughAViewAndComputedColumns)
{
    // No rows at all: the columns are still there.
    const Rows rows = query("SELECT * FROM DoctorsDescriptive WHERE DoctorCode = 0");
    EXPECT_TRUE(rows.rows.empty());
    ASSERT_EQ(rows.columns.size(), 3u);
    EXPECT_EQ(rows.columns[0].name, "DoctorCode");
    EXPECT_EQ(rows.columns[0].type, ColumnType::Integer16);
    EXPECT_EQ(rows.columns[1].name, "Names");
    EXPECT_EQ(rows.columns[1].type, ColumnType::Text);
    EXPECT_EQ(rows.columns[2].name, "NameLength");
    EXPECT_EQ(rows.columns[2].type, ColumnType::Unknown);
}

TEST_F(JetStatements, DeclaredTypeNames)
{
    EXPECT_EQ(jet::columnTypeFromDeclaration(nullptr), ColumnType::Unknown);
    EXPECT_EQ(jet::columnTypeFromDeclaration("varchar(50)"), ColumnType::Text);
    EXPECT_EQ(jet::columnTypeFromDeclaration("INT"), ColumnType::Integer32);
    EXPECT_EQ(jet::columnTypeFromDeclaration("FLOAT"), ColumnType::Double);
    EXPECT_EQ(jet::columnTypeFromDeclaration("BLOB"), ColumnType::Unknown);
}

TEST_F(JetStatements, TopWithOrderByGivesTheFirstRowsInThatOrder)
{
    for (int code = 1; code <= 5; ++code)
        execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (" + std::to_string(code) +
                ", 'D', '')");
    const Rows rows = query("SELECT TOP 2 * FROM Doctors ORDER BY DoctorCode DESC");
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(std::get<std::int64_t>(rows.rows[0][0]), 5);
    EXPECT_EQ(std::get<std::int64_t>(rows.rows[1][0]), 4);
}

TEST_F(JetStatements, IdentityOfTheLastInsertedRow)
{
    execute("INSERT INTO Notes (Body) VALUES ('first')");
    execute("INSERT INTO Notes (Body) VALUES ('second')");
    EXPECT_EQ(connection->lastIdentity(), 2);
    const Rows rows = query("SELECT @@IDENTITY");
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(std::get<std::int64_t>(rows.rows[0][0]), 2);
}

TEST_F(JetStatements, ErrorsCarryTheDatabaseDescription)
{
    long affected = -1;
    std::string error;
    EXPECT_FALSE(connection->execute("INSERT INTO Missing (A) VALUES (1)", affected, error));
    EXPECT_NE(error.find("no such table: Missing"), std::string::npos) << error;

    execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'A', '')");
    EXPECT_FALSE(connection->execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'B', '')",
                                     affected, error));
    EXPECT_NE(error.find("UNIQUE constraint failed"), std::string::npos) << error;

    // An invalid date literal stays as it is, and the database refuses it.
    Rows rows;
    EXPECT_FALSE(connection->query("SELECT * FROM PatientCharges WHERE ChargeDate = #13/45/2026#", rows, error));
    EXPECT_NE(error.find("#"), std::string::npos) << error;
}

TEST_F(JetStatements, OnlyOneStatementRunsPerCall)
{
    long affected = -1;
    std::string error;
    EXPECT_FALSE(connection->execute("INSERT INTO Notes (Body) VALUES ('a'); DELETE FROM Doctors", affected, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(countDirectly("SELECT COUNT(*) FROM Notes"), 0);
    EXPECT_EQ(execute("INSERT INTO Notes (Body) VALUES ('a');"), 1);
    EXPECT_FALSE(connection->execute("   ", affected, error));
}

TEST_F(JetStatements, RepeatedQueryTextSeesNewRows)
{
    const std::string sql = "SELECT * FROM Doctors ORDER BY DoctorCode";
    EXPECT_TRUE(query(sql).rows.empty());
    execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (3, 'C', '')");
    runDirectly("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (4, 'D', '')");
    EXPECT_EQ(query(sql).rows.size(), 2u);
    // Many distinct texts in between push the first one out of the statement cache.
    for (int i = 0; i < 100; ++i)
        query("SELECT " + std::to_string(i));
    EXPECT_EQ(query(sql).rows.size(), 2u);
}

TEST_F(JetStatements, ForeignKeysAreEnforced)
{
    runDirectly("CREATE TABLE Parent (Id INTEGER PRIMARY KEY);"
                "CREATE TABLE Child (Id INTEGER REFERENCES Parent(Id) ON DELETE CASCADE)");
    execute("INSERT INTO Parent (Id) VALUES (1)");
    execute("INSERT INTO Child (Id) VALUES (1)");
    EXPECT_EQ(execute("DELETE FROM Parent WHERE Id = 1"), 1);
    EXPECT_EQ(countDirectly("SELECT COUNT(*) FROM Child"), 0);
}

TEST_F(JetStatements, TextComparesWithoutCaseWhereTheSchemaSaysSo)
{
    execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'Smith', '')");
    EXPECT_EQ(query("SELECT * FROM Doctors WHERE Description = 'SMITH'").rows.size(), 1u);
}

TEST_F(JetStatements, SameTextRunsAgainAfterAFailure)
{
    execute("INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'A', '')");
    const std::string duplicate = "INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, 'B', '')";
    // Run often enough that the text is kept prepared: each run fails alike and holds no lock.
    for (int attempt = 0; attempt < 4; ++attempt) {
        long affected = -1;
        std::string error;
        EXPECT_FALSE(connection->execute(duplicate, affected, error));
        EXPECT_NE(error.find("UNIQUE"), std::string::npos) << error;
        EXPECT_EQ(affected, 0);
    }
    runDirectly("DELETE FROM Doctors");
    EXPECT_EQ(execute(duplicate), 1);
}
