// Opening recordsets on the practice database.
#include "AsisRutinasRecordsets.h"
#include "DataRoutinesTest.h"

#include <QDate>
#include <QTime>

namespace {

class OpenRecordsetTest : public DataRoutinesTest {};

}  // namespace

TEST_F(OpenRecordsetTest, QueryWithoutRowsGivesAnEmptyRecordsetWithAllItsColumns)
{
    RecordsetPtr doctors;
    QString error = "untouched";
    ASSERT_EQ(OpenRecordset(doctors, "select * from PatientDoctorsDescriptive where PatientId=0", error), 0);
    EXPECT_EQ(error, "untouched");
    ASSERT_TRUE(doctors);
    EXPECT_EQ(doctors->RecordCount(), 0);
    EXPECT_TRUE(doctors->EndOfFile());
    for (const char* column : {"PatientId", "DoctorCode", "AttentionTypeCode", "Frequency", "Names",
                               "AttentionTypeDescription", "FrequencyDescription", "checked"})
        EXPECT_GE(doctors->FieldIndex(column), 0) << column;
    EXPECT_FALSE(doctors->IsReadOnly());

    // Used as a template: rows added in memory never reach the database.
    ASSERT_TRUE(doctors->AddNew());
    ASSERT_TRUE(doctors->SetField("DoctorCode", 4));
    ASSERT_TRUE(doctors->SetField("checked", 1));
    ASSERT_TRUE(doctors->Update());
    EXPECT_TRUE(rows("SELECT * FROM PatientDoctors").isEmpty());
}

TEST_F(OpenRecordsetTest, FailedQueryGivesItsTextAndKeepsTheCallersRecordset)
{
    RecordsetPtr kept = std::make_shared<Recordset>(std::vector<RecordsetColumn>{{"A", jet::ColumnType::Text}});
    RecordsetPtr recordset = kept;
    QString error;
    const QString sql = "SELECT * FROM Patinet";
    EXPECT_EQ(OpenRecordset(recordset, sql, error), 1);
    EXPECT_TRUE(error.startsWith(sql + " ")) << error.toStdString();
    EXPECT_GT(error.size(), sql.size() + 1) << "the database's message follows";
    EXPECT_EQ(recordset, kept);
    EXPECT_TRUE(shownMessages.isEmpty());
}

TEST_F(OpenRecordsetTest, ColumnsCarryTheirDatabaseTypes)
{
    run("INSERT INTO Patient (PatientId, Names, DateOfBirth, AccountNumber, InsuranceCode, VXTS) VALUES "
        "(25001, 'Ann', '1950-01-31', '', 2, '2026-12-07 10:15:00')");
    run("INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime, ChargeRealDate, EMCode, Status, PrintLot) "
        "VALUES (25001, '2026-12-07', '10:15:00', '2026-12-01', 70000, 1, 202612071)");
    RecordsetPtr charges;
    QString error;
    ASSERT_EQ(OpenRecordset(charges, "SELECT * FROM ChargesDescriptive", error), 0) << error.toStdString();
    ASSERT_EQ(charges->RecordCount(), 1);
    EXPECT_EQ(charges->Field("PatientId").typeId(), QMetaType::Short);
    EXPECT_EQ(charges->Field("EMCode").toInt(), 70000);
    EXPECT_EQ(charges->Field("ChargeDate").toDate(), QDate(2026, 12, 7));
    EXPECT_EQ(charges->Field("ChargeTime").toTime(), QTime(10, 15));
    EXPECT_EQ(charges->Field("status").toInt(), 1);
    EXPECT_EQ(charges->Field("statusDescription").toString(), "Posted");
    EXPECT_EQ(charges->Field("AccountNumber").toString(), "");
    EXPECT_TRUE(charges->Field("AccountNumber").isValid()) << "the empty text is not Null";
    EXPECT_FALSE(charges->Field("Doctor").isValid()) << "no doctor: Null";

    RecordsetPtr patient;
    ASSERT_EQ(OpenRecordset(patient, "SELECT * FROM Patient", error), 0);
    EXPECT_EQ(patient->Field("VXTS").toDateTime(), QDateTime(QDate(2026, 12, 7), QTime(10, 15)));
    EXPECT_FALSE(patient->Field("LastChargeDate").isValid());
}

TEST_F(OpenRecordsetTest, SortMatchesTheDatabaseOrderOfText)
{
    for (const auto& [code, name] : std::vector<std::pair<int, QString>>{
             {1, "beta"}, {2, "Alpha"}, {3, "alpha2"}, {4, "BETA"}, {5, "_under"}, {6, "Zeta"}, {7, "ábc"}})
        run(QString("INSERT INTO Insurance VALUES (%1, '%2', '')").arg(code).arg(name));
    RecordsetPtr byDatabase;
    RecordsetPtr byRecordset;
    QString error;
    ASSERT_EQ(OpenRecordset(byDatabase, "SELECT * FROM Insurance ORDER BY Description, InsuranceCode", error), 0);
    ASSERT_EQ(OpenRecordset(byRecordset, "SELECT * FROM Insurance", error), 0);
    ASSERT_TRUE(byRecordset->SetSort("Description"));
    for (byDatabase->MoveFirst(); !byDatabase->EndOfFile(); byDatabase->MoveNext(), byRecordset->MoveNext())
        EXPECT_EQ(byRecordset->Field("InsuranceCode").toInt(), byDatabase->Field("InsuranceCode").toInt());
}
