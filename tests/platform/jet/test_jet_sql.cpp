#include "JetSql.h"

#include <gtest/gtest.h>

namespace {

struct Translation {
    const char* jet;
    const char* sqlite;
};

void expectTranslations(const std::vector<Translation>& table)
{
    for (const Translation& row : table)
        EXPECT_EQ(jet::translateJetSql(row.jet), row.sqlite) << "from: " << row.jet;
}

}  // namespace

TEST(JetSqlTranslation, DesktopDateAndTimeLiterals)
{
    expectTranslations({
        {"SELECT * FROM T WHERE D=#12/09/2026#", "SELECT * FROM T WHERE D='2026-12-09'"},
        {"UPDATE P SET DateOfBirth = #1961/02/28#, X=1", "UPDATE P SET DateOfBirth = '1961-02-28', X=1"},
        {"WHERE ChargeTime =#13:05:00#", "WHERE ChargeTime ='13:05:00'"},
        {" VXTS = #2026/12/09 13:05:00# ", " VXTS = '2026-12-09 13:05:00' "},
        {"VALUES (1, #12/09/2026#, #00:00:00#, #01/01/1990#)",
         "VALUES (1, '2026-12-09', '00:00:00', '1990-01-01')"},
        {" LastChargeDate = #1990/01/01#, ", " LastChargeDate = '1990-01-01', "},
        {"#02/29/2024#", "'2024-02-29'"},
        {"#12/09/2026 23:59:59#", "'2026-12-09 23:59:59'"},
        {"Where [status]=0 and ChargeRealDate >= #12/01/2026# and ChargeRealDate <= #12/07/2026# and DoctorCode= 3",
         "Where [status]=0 and ChargeRealDate >= '2026-12-01' and ChargeRealDate <= '2026-12-07' and DoctorCode= 3"},
    });
}

TEST(JetSqlTranslation, ConduitLiteralsWithOrWithoutLeadingZeros)
{
    expectTranslations({
        {"[D] =#2026-1-5#", "[D] ='2026-01-05'"},
        {"#2026-12-09#", "'2026-12-09'"},
        {"#2026-1-5 9:3:7#", "'2026-01-05 09:03:07'"},
        {"#2026-01-05 09:03:07#", "'2026-01-05 09:03:07'"},
        {"([VXTS] , [A]) VALUES (#2026-12-07 08:30:00#,'x')", "([VXTS] , [A]) VALUES ('2026-12-07 08:30:00','x')"},
        {"#1990-1-1 00:00:00#", "'1990-01-01 00:00:00'"},
    });
}

TEST(JetSqlTranslation, InvalidHashTextStaysAsItIs)
{
    expectTranslations({
        {"#13/01/2026#", "#13/01/2026#"},
        {"#02/30/2026#", "#02/30/2026#"},
        {"#2023-2-29#", "#2023-2-29#"},
        {"#24:00:00#", "#24:00:00#"},
        {"#12:60:00#", "#12:60:00#"},
        {"#2026-12-09 #", "#2026-12-09 #"},
        {"#12-09-2026#", "#12-09-2026#"},
        {"#2026/12-09#", "#2026/12-09#"},
        {"#26/12/09#", "#26/12/09#"},
        {"#12:00#", "#12:00#"},
        {"#", "#"},
        {"a # b", "a # b"},
        {"##", "##"},
        // After a stray "#", the next one may still open a literal.
        {"x # y #12/09/2026#", "x # y '2026-12-09'"},
    });
}

TEST(JetSqlTranslation, QuotedTextsAndBracketedNamesPassUnchanged)
{
    expectTranslations({
        {"VALUES ('#12/09/2026#')", "VALUES ('#12/09/2026#')"},
        {"VALUES ('O''Brien #12/09/2026#', #12/09/2026#)", "VALUES ('O''Brien #12/09/2026#', '2026-12-09')"},
        {"'it''s' #13:05:00# ''''", "'it''s' '13:05:00' ''''"},
        {"\"say \"\"#13:05:00#\"\"\" #13:05:00#", "\"say \"\"#13:05:00#\"\"\" '13:05:00'"},
        {"SELECT [#12/09/2026#], [Names] FROM T", "SELECT [#12/09/2026#], [Names] FROM T"},
        {"'@@IDENTITY' [@@IDENTITY] @@IDENTITY", "'@@IDENTITY' [@@IDENTITY] last_insert_rowid()"},
        {"'a \"#1:2:3#' #1:2:3#", "'a \"#1:2:3#' '01:02:03'"},
        {"'unterminated #12/09/2026#", "'unterminated #12/09/2026#"},
        {"[unterminated #12/09/2026#", "[unterminated #12/09/2026#"},
    });
}

TEST(JetSqlTranslation, TopBecomesLimit)
{
    expectTranslations({
        {"SELECT TOP 1 * FROM EvaluationManagement ORDER BY EMCode DESC",
         "SELECT * FROM EvaluationManagement ORDER BY EMCode DESC LIMIT 1"},
        {"select top 10 A, B from T where C = 'TOP 5';", "select A, B from T where C = 'TOP 5' LIMIT 10;"},
        {"  SELECT TOP 3 * FROM T ORDER BY D DESC ;  ", "  SELECT * FROM T ORDER BY D DESC LIMIT 3 ;  "},
        {"SELECT TOP 2 * FROM T WHERE D >= #12/09/2026#", "SELECT * FROM T WHERE D >= '2026-12-09' LIMIT 2"},
        // Not a leading TOP n: left alone.
        {"SELECT TOP FROM T", "SELECT TOP FROM T"},
        {"SELECT TOPS FROM T", "SELECT TOPS FROM T"},
        {"SELECT TOP 5 PERCENT * FROM T", "SELECT TOP 5 PERCENT * FROM T"},
        {"SELECT * FROM T WHERE X IN (SELECT TOP 1 Y FROM U)", "SELECT * FROM T WHERE X IN (SELECT TOP 1 Y FROM U)"},
        {"UPDATE T SET A = 1", "UPDATE T SET A = 1"},
    });
}

TEST(JetSqlTranslation, IdentityBecomesLastInsertedRowId)
{
    expectTranslations({
        {"SELECT @@IDENTITY", "SELECT last_insert_rowid()"},
        {"select @@identity;", "select last_insert_rowid();"},
        {"SELECT @@IDENTITYX", "SELECT @@IDENTITYX"},
        {"SELECT @@ROWCOUNT", "SELECT @@ROWCOUNT"},
    });
}

TEST(JetSqlTranslation, StatementsOfTheSystemWithoutLiteralsStayUnchanged)
{
    for (const char* sql : {
             "SELECT * FROM Patient WHERE PatientId >= 25000 ORDER BY PatientId DESC",
             "INSERT INTO Patient (PatientId, [Names] , DateOfBirth, AccountNumber, InsuranceCode) VALUES (25000, "
             "'Doe, Jane', '1961-02-28', 'A-1', 3)",
             "SELECT MAX(TerminalId) AS LastTerm FROM VXUSERS",
             "SELECT * FROM PatientCharges WHERE [Status] <> 2 ORDER BY PatientId, ChargeRealDate DESC",
             "",
         })
        EXPECT_EQ(jet::translateJetSql(sql), sql);
}
