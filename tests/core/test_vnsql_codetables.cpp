// Code allocation of every table, and the code-table data routines, against a practice database.
#include "DataRoutinesTest.h"
#include "VNSQLDiagnosis.h"
#include "VNSQLDiagnosisFamilies.h"
#include "VNSQLDoctors.h"
#include "VNSQLEMCodes.h"
#include "VNSQLFacilities.h"
#include "VNSQLInsurances.h"
#include "VNSQLProcedures.h"
#include "VNSQLSickness.h"
#include "VNSQLWards.h"

namespace {

const QString kNasty = "it's; DROP TABLE Sickness; --";

class CodeTableRoutines : public DataRoutinesTest {};

// A code table whose codes below 1000 the desktop allocates.
struct CodeTable {
    QString table;
    QString column;
    std::function<qint16()> next;
    // Inserts one row through the module's routine; answers its result.
    std::function<qint16(QString&)> insert;
};

std::vector<CodeTable> codeTables()
{
    return {
        {"Doctors", "DoctorCode", NextDoctorCode,
         [](QString& e) { qint16 c = 0; return InsertDoctor(c, "D", "B", ";", e); }},
        {"Facility", "FacilityCode", NextFacilityCode,
         [](QString& e) { qint16 c = 0; return InsertFacility(c, "F", 1, "", "", e); }},
        {"FacilityWards", "WardCode", NextWardCode, [](QString& e) { qint16 c = 0; return InsertWard(c, 1, "W", e); }},
        {"Insurance", "InsuranceCode", NextInsuranceCode,
         [](QString& e) { qint16 c = 0; return InsertInsurance(c, "I", "", e); }},
        {"Procedures", "ProcedureCode", NextProcedureCode,
         [](QString& e) { qint16 c = 0; return InsertProcedure(c, "P", "", "", e); }},
        {"Diagnosis", "DiagnosisCode", NextDiagnosisCode,
         [](QString& e) { qint16 c = 0; return InsertDiagnosis(c, "D", 1, "", "", e); }},
        {"DiagnosisFamily", "DiagnosisFamilyCode", NextDiagnosisFamilyCode,
         [](QString& e) { qint16 c = 0; return InsertDiagnosisFamily(c, "G", e); }},
        {"Sickness", "SicknessCode", NextSicknessCode,
         [](QString& e) { qint16 c = 0; return InsertSickness(c, "S", 0, e); }},
    };
}

}  // namespace

// --- allocation -----------------------------------------------------------------------------

TEST_F(CodeTableRoutines, CodeTablesAllocateBelow1000)
{
    for (const CodeTable& t : codeTables()) {
        SCOPED_TRACE(t.table.toStdString());
        statements.clear();
        EXPECT_EQ(t.next(), 1) << "empty table";
        EXPECT_EQ(statements.last(), "SELECT * FROM " + t.table + " WHERE " + t.column + " < 1000 ORDER BY " + t.column
                                         + " DESC");
        for (int code : {1, 2, 5000})
            run(QString("INSERT INTO %1 (%2) VALUES (%3)").arg(t.table, t.column).arg(code));
        EXPECT_EQ(t.next(), 3) << "a handheld's 5000 does not count";
        run(QString("INSERT INTO %1 (%2) VALUES (999)").arg(t.table, t.column));
        EXPECT_EQ(t.next(), 1000);
        QString error;
        ASSERT_EQ(t.insert(error), 0) << error.toStdString();
        EXPECT_TRUE(shownMessages.isEmpty());

        EXPECT_EQ(t.next(), 0) << "with 1000 taken the desktop's codes are used up";
        error = "untouched";
        EXPECT_EQ(t.insert(error), 1);
        EXPECT_EQ(error, "untouched") << "no key clash is tried";
        EXPECT_EQ(shownMessages, QStringList(2, "No new code is left for this list: the codes the desktop gives end "
                                                "at 1000, and 1000 is already in use."));
        shownMessages.clear();
    }
}

TEST_F(CodeTableRoutines, AllocationFailureIsShownAndTheInsertReturnsOneWithItsTextUntouched)
{
    for (const CodeTable& t : codeTables()) {
        SCOPED_TRACE(t.table.toStdString());
        run("DROP TABLE " + t.table);
        shownMessages.clear();
        EXPECT_EQ(t.next(), 0);
        ASSERT_EQ(shownMessages.size(), 1);
        EXPECT_TRUE(shownMessages.first().contains(t.table)) << shownMessages.first().toStdString();
        QString error = "untouched";
        EXPECT_EQ(t.insert(error), 1);
        EXPECT_EQ(error, "untouched");
    }
}

TEST_F(CodeTableRoutines, EMCodesFollowTheHighestCodeOfAnySize)
{
    EXPECT_EQ(NextEMCode(), 1);
    EXPECT_EQ(statements.last(), "SELECT TOP 1 * FROM EvaluationManagement ORDER BY EMCode DESC");
    for (int code : {1, 2, 5000})
        run(QString("INSERT INTO EvaluationManagement (EMCode) VALUES (%1)").arg(code));
    EXPECT_EQ(NextEMCode(), 5001);
    qint32 emCode = 0;
    QString error;
    ASSERT_EQ(InsertEMCode(emCode, "Visit", 1, 2, 3, "99213", "R1", 1, 0, 2, error), 0) << error.toStdString();
    EXPECT_EQ(emCode, 5001);
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(CodeTableRoutines, NoEMCodeBeyond32767)
{
    run("INSERT INTO EvaluationManagement (EMCode) VALUES (32767)");
    EXPECT_EQ(NextEMCode(), 0);
    EXPECT_EQ(shownMessages, QStringList({"Overflow"}));
    const QStringList before = snapshot();
    qint32 emCode = 9;
    QString error;
    EXPECT_EQ(InsertEMCode(emCode, "Visit", 1, 2, 3, "", "", 0, 0, 1, error), 1);
    EXPECT_EQ(error, "Error obtaining new EMCode");
    EXPECT_EQ(emCode, 9);
    EXPECT_EQ(snapshot(), before);
}

// --- statements -----------------------------------------------------------------------------

TEST_F(CodeTableRoutines, DiagnosisStatementsAndReaders)
{
    run("INSERT INTO DiagnosisFamily VALUES (2, 'Respiratory')");
    qint16 code = 0;
    QString error;
    ASSERT_EQ(InsertDiagnosis(code, "Flu's", 2, "487'1", "B'3", error), 0) << error.toStdString();
    ASSERT_EQ(UpdateDiagnosis(1, "Flu", 2, "487.1", "B3", Loaded(StoredDiagnosis(1)), error), 0);
    RecordsetPtr diagnosis = GetDiagnosis(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM DiagnosisDescriptive WHERE DiagnosisCode=1");
    ASSERT_TRUE(diagnosis);
    EXPECT_TRUE(diagnosis->IsReadOnly());
    EXPECT_EQ(diagnosis->Field("FamilyDesc").toString(), "Respiratory");
    ASSERT_EQ(DeleteDiagnosis(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Diagnosis (DiagnosisCode, Description, DiagnosisFamilyCode, "
                                     "RealDiagnosisCode, BillingDiagnosisCode) VALUES (1, 'Flu''s',2,'487''1','B''3')",
                                     "UPDATE Diagnosis SET Description='Flu', DiagnosisFamilyCode = 2, "
                                     "RealDiagnosisCode='487.1', BillingDiagnosisCode='B3' WHERE DiagnosisCode = 1",
                                     "DELETE FROM Diagnosis WHERE DiagnosisCode = 1"}));
    RecordsetPtr families = GetDiagnosisFamilyList();
    EXPECT_EQ(statements.last(), "SELECT * FROM DiagnosisFamily");
    ASSERT_TRUE(families);
    EXPECT_FALSE(families->IsReadOnly());
    EXPECT_EQ(families->RecordCount(), 1);
}

TEST_F(CodeTableRoutines, DiagnosisFamilyStatementsAndReader)
{
    qint16 code = 0;
    QString error;
    ASSERT_EQ(InsertDiagnosisFamily(code, "Heart's", error), 0) << error.toStdString();
    EXPECT_EQ(code, 1) << "the first group of an empty table";
    ASSERT_EQ(UpdateDiagnosisFamily(1, "Heart", Loaded(StoredDiagnosisFamily(1)), error), 0);
    RecordsetPtr family = GetDiagnosisFamily(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM DiagnosisFamily WHERE DiagnosisFamilyCode=1");
    ASSERT_TRUE(family);
    EXPECT_TRUE(family->IsReadOnly());
    EXPECT_EQ(family->Field("DiagnosisFamilyDescription").toString(), "Heart");
    ASSERT_EQ(DeleteDiagnosisFamily(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO DiagnosisFamily (DiagnosisFamilyCode, DiagnosisFamilyDescription) "
                                     "VALUES (1, 'Heart''s')",
                                     "UPDATE DiagnosisFamily SET DiagnosisFamilyDescription='Heart' WHERE "
                                     "DiagnosisFamilyCode = 1",
                                     "DELETE FROM DiagnosisFamily WHERE DiagnosisFamilyCode = 1"}));
}

TEST_F(CodeTableRoutines, ProcedureStatementsAndReader)
{
    qint16 code = 0;
    QString error;
    ASSERT_EQ(InsertProcedure(code, "X-ray's", "71'020", "B'7", error), 0) << error.toStdString();
    ASSERT_EQ(UpdateProcedure(1, "X-ray", "71020", "B7", Loaded(StoredProcedure(1)), error), 0);
    RecordsetPtr procedure = GetProcedure(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM Procedures WHERE ProcedureCode=1");
    ASSERT_TRUE(procedure);
    EXPECT_TRUE(procedure->IsReadOnly());
    EXPECT_EQ(procedure->Field("RealProcedureCode").toString(), "71020");
    ASSERT_EQ(DeleteProcedure(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Procedures (ProcedureCode, Description, RealProcedureCode, "
                                     "BillingProcedureCode) VALUES (1, 'X-ray''s', '71''020','B''7')",
                                     "UPDATE Procedures SET Description='X-ray', RealProcedureCode='71020', "
                                     "BillingProcedureCode='B7' WHERE ProcedureCode = 1",
                                     "DELETE FROM Procedures WHERE ProcedureCode = 1"}));
}

TEST_F(CodeTableRoutines, SicknessStatementsAndReaders)
{
    qint16 code = 0;
    QString error;
    ASSERT_EQ(InsertSickness(code, "Peanut's", 0, error), 0) << error.toStdString();
    ASSERT_EQ(UpdateSickness(1, "Peanuts", 1, Loaded(StoredSickness(1)), error), 0);
    RecordsetPtr sickness = GetSickness(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM SicknessDescriptive WHERE SicknessCode=1");
    ASSERT_TRUE(sickness);
    EXPECT_TRUE(sickness->IsReadOnly());
    EXPECT_EQ(sickness->Field("SicknessTypeDescription").toString(), "Medical History");
    ASSERT_EQ(DeleteSickness(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (1, "
                                     "'Peanut''s',0)",
                                     "UPDATE Sickness SET Description='Peanuts', SicknessTypeCode = 1 WHERE SicknessCode = 1",
                                     "DELETE FROM Sickness WHERE SicknessCode = 1"}));
    RecordsetPtr types = GetSicknessTypes();
    EXPECT_EQ(statements.last(), "SELECT * FROM SicknessType");
    ASSERT_TRUE(types);
    EXPECT_EQ(types->RecordCount(), 3);
}

TEST_F(CodeTableRoutines, EMCodeStatementsAndReader)
{
    qint32 code = 0;
    QString error;
    ASSERT_EQ(InsertEMCode(code, "Initial's", 1, 2, 3, "992'21", "R'1", 1, 0, 1, error), 0) << error.toStdString();
    ASSERT_EQ(UpdateEMCode(1, "Initial", 2, 1, 1, "99221", "R1", 0, 1, 3, Loaded(StoredEMCode(1)), error), 0);
    RecordsetPtr em = GetEMCode(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM EMCodesDescriptive WHERE EMCode=1");
    ASSERT_TRUE(em);
    EXPECT_TRUE(em->IsReadOnly());
    EXPECT_EQ(em->Field("EMCode").typeId(), QMetaType::Int);
    EXPECT_EQ(em->Field("IsDischarge").toInt(), 3);
    ASSERT_EQ(DeleteEMCode(1, error), 0);
    EXPECT_EQ(writes(),
              QStringList({"INSERT INTO EvaluationManagement (EMCode, Description, FacilityTypeCode, ChargeTypeCode, "
                           "AttentionTypeCode, BillingEMCode, RealEMCode, ShowOnFirst, ShowOnNext, IsDischarge) VALUES "
                           "(1, 'Initial''s',1,2,3,'992''21','R''1',1,0,1)",
                           "UPDATE EvaluationManagement SET Description='Initial', FacilityTypeCode = 2, ChargeTypeCode = 1, "
                           "AttentionTypeCode = 1, BillingEMCode = '99221', RealEMCode = 'R1', ShowOnFirst = 0, "
                           "ShowOnNext = 1, IsDischarge = 3 WHERE EMCode = 1",
                           "DELETE FROM EvaluationManagement WHERE EMCode = 1"}));
}

TEST_F(CodeTableRoutines, TypedTextIsStoredUnchanged)
{
    QString error;
    qint16 code = 0;
    qint32 emCode = 0;
    ASSERT_EQ(InsertDiagnosis(code, kNasty, 1, kNasty, kNasty, error), 0);
    ASSERT_EQ(InsertDiagnosisFamily(code, kNasty, error), 0);
    ASSERT_EQ(InsertProcedure(code, kNasty, kNasty, kNasty, error), 0);
    ASSERT_EQ(InsertSickness(code, kNasty, 1, error), 0);
    ASSERT_EQ(InsertEMCode(emCode, kNasty, 1, 1, 1, kNasty, kNasty, 0, 0, 1, error), 0);
    EXPECT_EQ(rows("SELECT Description, RealDiagnosisCode, BillingDiagnosisCode FROM Diagnosis"),
              QStringList({kNasty + "|" + kNasty + "|" + kNasty}));
    EXPECT_EQ(rows("SELECT DiagnosisFamilyDescription FROM DiagnosisFamily"), QStringList({kNasty}));
    EXPECT_EQ(rows("SELECT Description, RealProcedureCode FROM Procedures"), QStringList({kNasty + "|" + kNasty}));
    EXPECT_EQ(rows("SELECT Description FROM Sickness"), QStringList({kNasty}));
    EXPECT_EQ(rows("SELECT BillingEMCode, RealEMCode FROM EvaluationManagement"), QStringList({kNasty + "|" + kNasty}));

    ASSERT_EQ(UpdateDiagnosis(1, "'" + kNasty, 1, "", "", Loaded(StoredDiagnosis(1)), error), 0);
    ASSERT_EQ(UpdateDiagnosisFamily(1, "'" + kNasty, Loaded(StoredDiagnosisFamily(1)), error), 0);
    ASSERT_EQ(UpdateProcedure(1, "'" + kNasty, "", "", Loaded(StoredProcedure(1)), error), 0);
    ASSERT_EQ(UpdateSickness(1, "'" + kNasty, 1, Loaded(StoredSickness(1)), error), 0);
    ASSERT_EQ(UpdateEMCode(1, "'" + kNasty, 1, 1, 1, "", "", 0, 0, 1, Loaded(StoredEMCode(1)), error), 0);
    for (const QString& table : {"Diagnosis", "Procedures", "Sickness", "EvaluationManagement"})
        EXPECT_EQ(rows("SELECT Description FROM " + table), QStringList({"'" + kNasty})) << table.toStdString();
    EXPECT_EQ(rows("SELECT DiagnosisFamilyDescription FROM DiagnosisFamily"), QStringList({"'" + kNasty}));
}

// --- failures -------------------------------------------------------------------------------

TEST_F(CodeTableRoutines, EveryRoutineTellsWhenNoRowChanged)
{
    struct Case {
        const char* routine;
        std::function<qint16(QString&)> call;
        QString text;
    };
    const std::vector<Case> cases = {
        {"UpdateDiagnosis",
         [](QString& e) { return UpdateDiagnosis(5, "D", 1, "", "", Loaded(StoredDiagnosis(5)), e); },
         "U:IMPACTENT"},
        {"DeleteDiagnosis", [](QString& e) { return DeleteDiagnosis(5, e); }, "U:IMPELIENT"},
        {"UpdateDiagnosisFamily",
         [](QString& e) { return UpdateDiagnosisFamily(5, "G", Loaded(StoredDiagnosisFamily(5)), e); },
         "U:IMPACTENT"},
        {"DeleteDiagnosisFamily", [](QString& e) { return DeleteDiagnosisFamily(5, e); }, "U:IMPELIENT"},
        {"UpdateProcedure", [](QString& e) { return UpdateProcedure(5, "P", "", "", Loaded(StoredProcedure(5)), e); },
         "U:IMPACTENT"},
        {"DeleteProcedure", [](QString& e) { return DeleteProcedure(5, e); }, "U:IMPELIENT"},
        {"UpdateSickness", [](QString& e) { return UpdateSickness(5, "S", 0, Loaded(StoredSickness(5)), e); },
         "U:IMPACTENT"},
        {"DeleteSickness", [](QString& e) { return DeleteSickness(5, e); }, "U:IMPELIENT"},
        {"UpdateEMCode",
         [](QString& e) { return UpdateEMCode(5, "E", 1, 1, 1, "", "", 0, 0, 1, Loaded(StoredEMCode(5)), e); },
         "U:IMPACTENT"},
        {"DeleteEMCode", [](QString& e) { return DeleteEMCode(5, e); }, "U:IMPELIENT"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(c.call(error), 2) << c.routine;
        EXPECT_EQ(error, c.text) << c.routine;
    }
}

TEST_F(CodeTableRoutines, DatabaseErrorsReturnOneAndChangeNothing)
{
    run("INSERT INTO Diagnosis (DiagnosisCode, Description) VALUES (1, 'D')");
    run("INSERT INTO DiagnosisFamily VALUES (1, 'G')");
    run("INSERT INTO Procedures (ProcedureCode, Description) VALUES (1, 'P')");
    run("INSERT INTO Sickness (SicknessCode, Description, SicknessTypeCode) VALUES (1, 'S', 0)");
    run("INSERT INTO EvaluationManagement (EMCode, Description) VALUES (1, 'E')");
    for (const QString& table : {"Diagnosis", "DiagnosisFamily", "Procedures", "Sickness", "EvaluationManagement"}) {
        refuse("INSERT", table);
        refuse("UPDATE", table);
        refuse("DELETE", table);
    }
    const std::vector<std::function<qint16(QString&)>> calls = {
        [](QString& e) { qint16 c = 0; return InsertDiagnosis(c, "D", 1, "", "", e); },
        [](QString& e) { return UpdateDiagnosis(1, "D", 1, "", "", Loaded(StoredDiagnosis(1)), e); },
        [](QString& e) { return DeleteDiagnosis(1, e); },
        [](QString& e) { qint16 c = 0; return InsertDiagnosisFamily(c, "G", e); },
        [](QString& e) { return UpdateDiagnosisFamily(1, "G", Loaded(StoredDiagnosisFamily(1)), e); },
        [](QString& e) { return DeleteDiagnosisFamily(1, e); },
        [](QString& e) { qint16 c = 0; return InsertProcedure(c, "P", "", "", e); },
        [](QString& e) { return UpdateProcedure(1, "P", "", "", Loaded(StoredProcedure(1)), e); },
        [](QString& e) { return DeleteProcedure(1, e); },
        [](QString& e) { qint16 c = 0; return InsertSickness(c, "S", 0, e); },
        [](QString& e) { return UpdateSickness(1, "S", 0, Loaded(StoredSickness(1)), e); },
        [](QString& e) { return DeleteSickness(1, e); },
        [](QString& e) { qint32 c = 0; return InsertEMCode(c, "E", 1, 1, 1, "", "", 0, 0, 1, e); },
        [](QString& e) { return UpdateEMCode(1, "E", 1, 1, 1, "", "", 0, 0, 1, Loaded(StoredEMCode(1)), e); },
        [](QString& e) { return DeleteEMCode(1, e); },
    };
    const QStringList before = snapshot();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        QString error;
        EXPECT_EQ(calls[i](error), 1) << "call " << i;
        EXPECT_TRUE(error.contains("refused by test")) << "call " << i << ": " << error.toStdString();
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(CodeTableRoutines, ReadersThatTellTheirFailureAndThoseThatDoNot)
{
    run("DROP VIEW DiagnosisDescriptive");
    run("DROP VIEW SicknessDescriptive");
    run("DROP VIEW EMCodesDescriptive");
    run("DROP TABLE Procedures");
    EXPECT_FALSE(GetDiagnosis(1));
    EXPECT_FALSE(GetSickness(1));
    EXPECT_FALSE(GetEMCode(1));
    EXPECT_FALSE(GetProcedure(1));
    EXPECT_TRUE(shownMessages.isEmpty());

    run("DROP TABLE DiagnosisFamily");
    run("DROP TABLE SicknessType");
    EXPECT_FALSE(GetDiagnosisFamilyList());
    EXPECT_FALSE(GetDiagnosisFamily(1));
    EXPECT_FALSE(GetSicknessTypes());
    ASSERT_EQ(shownMessages.size(), 3);
    EXPECT_TRUE(shownMessages[0].contains("DiagnosisFamily")) << shownMessages[0].toStdString();
    EXPECT_TRUE(shownMessages[2].contains("SicknessType")) << shownMessages[2].toStdString();
}
