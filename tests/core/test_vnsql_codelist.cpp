// Walking and reconciling code lists, without a database.
#include "Recordset.h"
#include "SqlCodes.h"
#include "SqlLiterals.h"

#include <gtest/gtest.h>

namespace {

// The codes a walk hands over, stopping with `failAt` (when given) answering 2.
std::vector<int> walk(const QString& list, qint16& result, QString& error, int failAt = -1)
{
    std::vector<int> seen;
    result = WalkCodeList(
        list,
        [&](qint16 code, QString& detailError) -> qint16 {
            seen.push_back(code);
            if (code == failAt) {
                detailError = "detail failed";
                return 2;
            }
            return 0;
        },
        error);
    return seen;
}

std::vector<int> walk(const QString& list)
{
    qint16 result = 0;
    QString error;
    std::vector<int> seen = walk(list, result, error);
    EXPECT_EQ(result, 0) << list.toStdString();
    return seen;
}

}  // namespace

TEST(CodeLists, WalkHandsOverEveryClosedCode)
{
    EXPECT_EQ(walk(";3;17;120;"), (std::vector<int>{3, 17, 120}));
    EXPECT_TRUE(walk(";").empty());
    EXPECT_TRUE(walk("").empty());
    EXPECT_EQ(walk(";3;17"), (std::vector<int>{3})) << "text after the last separator is no code";
    EXPECT_EQ(walk(";;5;"), (std::vector<int>{0, 5})) << "an empty code reads as 0";
}

TEST(CodeLists, CodesAreTheLeadingNumberRoundedHalfToEven)
{
    EXPECT_EQ(walk("; 12;7x;abc;-4;"), (std::vector<int>{12, 7, 0, -4}));
    EXPECT_EQ(walk(";2.5;3.5;0.4;"), (std::vector<int>{2, 4, 0}));
    EXPECT_EQ(walk(";32767;"), (std::vector<int>{32767}));
}

TEST(CodeLists, WalkStopsAtTheFirstFailure)
{
    qint16 result = 0;
    QString error;
    EXPECT_EQ(walk(";1;2;3;", result, error, 2), (std::vector<int>{1, 2}));
    EXPECT_EQ(result, 2);
    EXPECT_EQ(error, "detail failed");

    EXPECT_EQ(walk(";1;40000;3;", result, error), (std::vector<int>{1}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(error, "Overflow");
}

TEST(CodeLists, ReconcileRemovesUnlistedAndAddsNewCodes)
{
    auto stored = std::make_shared<Recordset>(std::vector<RecordsetColumn>{{"DiagnosisCode", jet::ColumnType::Integer16}});
    for (int code : {3, 13, 7}) {
        stored->AddNew();
        stored->SetField(0, code);
    }
    std::vector<int> removed, added;
    const CodeAction remove = [&](qint16 code, QString&) -> qint16 { removed.push_back(code); return 0; };
    const CodeAction add = [&](qint16 code, QString&) -> qint16 { added.push_back(code); return 0; };
    QString error;
    EXPECT_EQ(ReconcileCodeList(stored, "diagnosiscode", ";13;40;7;", remove, add, error), 0);
    EXPECT_EQ(removed, (std::vector<int>{3}));
    EXPECT_EQ(added, (std::vector<int>{40}));

    removed.clear();
    added.clear();
    EXPECT_EQ(ReconcileCodeList(nullptr, "DiagnosisCode", ";5;", remove, add, error), 0);
    EXPECT_TRUE(removed.empty());
    EXPECT_EQ(added, (std::vector<int>{5})) << "no stored rows: every listed code is new";
}

TEST(CodeLists, ReconcileStopsAtAFailedRemoval)
{
    auto stored = std::make_shared<Recordset>(std::vector<RecordsetColumn>{{"Code", jet::ColumnType::Integer16}});
    for (int code : {1, 2, 3}) {
        stored->AddNew();
        stored->SetField(0, code);
    }
    std::vector<int> removed, added;
    const CodeAction remove = [&](qint16 code, QString& e) -> qint16 {
        removed.push_back(code);
        e = "gone";
        return code == 2 ? 2 : 0;
    };
    const CodeAction add = [&](qint16 code, QString&) -> qint16 { added.push_back(code); return 0; };
    QString error;
    EXPECT_EQ(ReconcileCodeList(stored, "Code", ";9;", remove, add, error), 2);
    EXPECT_EQ(removed, (std::vector<int>{1, 2}));
    EXPECT_TRUE(added.empty());
}

TEST(SqlLiteralsTest, QuotesDatesAndTimes)
{
    EXPECT_EQ(SqlQuotesDoubled("O'Brien's ''x"), "O''Brien''s ''''x");
    EXPECT_EQ(SqlQuotesDoubled("no quotes; DROP"), "no quotes; DROP");
    EXPECT_EQ(SqlDateMonthFirst(QDate(2026, 3, 7)), "03/07/2026");
    EXPECT_EQ(SqlDateYearFirst(QDate(987, 12, 31)), "0987/12/31");
    EXPECT_EQ(SqlTime(QTime(9, 5, 3, 999)), "09:05:03");
    EXPECT_EQ(SqlStamp(QDateTime(QDate(2026, 12, 7), QTime(23, 0, 9))), "2026/12/07 23:00:09");
}
