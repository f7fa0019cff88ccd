#include "PracticeDatabaseTest.h"

#include "PracticeDatabase.h"

std::unique_ptr<jet::Connection> openPracticeDatabase(const std::string& databasePath, std::string& error)
{
    return jet::Connection::open(practicedb::connectionSettings(databasePath), error);
}

void PracticeDatabaseTest::SetUp()
{
    databasePath = folder.file("practice.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(databasePath, error)) << error;
    connection = openPracticeDatabase(databasePath, error);
    ASSERT_TRUE(connection) << error;
}

long PracticeDatabaseTest::execute(const std::string& sql)
{
    long affected = 0;
    std::string error;
    EXPECT_TRUE(connection->execute(sql, affected, error)) << sql << ": " << error;
    return affected;
}

bool PracticeDatabaseTest::tryExecute(const std::string& sql)
{
    long affected = 0;
    std::string error;
    return connection->execute(sql, affected, error);
}

jet::Rows PracticeDatabaseTest::query(const std::string& sql)
{
    jet::Rows rows;
    std::string error;
    EXPECT_TRUE(connection->query(sql, rows, error)) << sql << ": " << error;
    return rows;
}

std::int64_t PracticeDatabaseTest::count(const std::string& sql)
{
    const std::vector<std::int64_t> values = integers(sql);
    EXPECT_EQ(values.size(), 1u) << sql;
    return values.empty() ? -1 : values.front();
}

std::vector<std::int64_t> PracticeDatabaseTest::integers(const std::string& sql)
{
    std::vector<std::int64_t> values;
    for (const auto& row : query(sql).rows) {
        const auto* value = std::get_if<std::int64_t>(&row.at(0));
        EXPECT_TRUE(value) << sql << ": the first column is not an integer";
        values.push_back(value ? *value : -1);
    }
    return values;
}

std::vector<std::string> PracticeDatabaseTest::columnNames(const jet::Rows& rows)
{
    std::vector<std::string> names;
    for (const jet::Column& column : rows.columns)
        names.push_back(column.name);
    return names;
}
