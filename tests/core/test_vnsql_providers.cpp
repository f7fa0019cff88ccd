// Doctor, facility, ward and insurance data routines against a practice database.
#include "AppGlobals.h"
#include "DataRoutinesTest.h"
#include "JetConnection.h"
#include "VNSQLDoctors.h"
#include "VNSQLFacilities.h"
#include "VNSQLInsurances.h"
#include "VNSQLWards.h"

namespace {

const QString kNasty = "O'Brien'; DELETE FROM Doctors; --";

class ProviderRoutines : public DataRoutinesTest {
protected:
    void addDoctor(int code, std::initializer_list<int> covering = {})
    {
        run(QString("INSERT INTO Doctors VALUES (%1, 'Dr %1', 'B%1')").arg(code));
        for (int link : covering)
            run(QString("INSERT INTO DoctorCoveringDoctors VALUES (%1, %2)").arg(code).arg(link));
    }
    QStringList links(int doctorCode)
    {
        return rows(QString("SELECT CoveringDoctorCode FROM DoctorCoveringDoctors WHERE DoctorCode = %1 "
                            "ORDER BY CoveringDoctorCode")
                        .arg(doctorCode));
    }
};

}  // namespace

// --- doctors and covering doctors -----------------------------------------------------------

TEST_F(ProviderRoutines, InsertDoctorStoresTheDoctorAndItsCoveringDoctors)
{
    qint16 doctorCode = 0;
    QString error;
    ASSERT_EQ(InsertDoctor(doctorCode, "Dr O'Neil", "B'1", ";4;9;", error), 0) << error.toStdString();
    EXPECT_EQ(doctorCode, 1);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Doctors (DoctorCode, Description, BillingDoctorCode) VALUES (1, "
                                     "'Dr O''Neil','B''1')",
                                     "INSERT INTO DoctorCoveringDoctors (DoctorCode, CoveringDoctorCode) VALUES (1, 4)",
                                     "INSERT INTO DoctorCoveringDoctors (DoctorCode, CoveringDoctorCode) VALUES (1, 9)"}));
    EXPECT_EQ(rows("SELECT * FROM Doctors"), QStringList({"1|Dr O'Neil|B'1"}));
    EXPECT_EQ(links(1), QStringList({"4", "9"}));
}

TEST_F(ProviderRoutines, InsertDoctorWhoseSecondLinkFailsKeepsNeitherDoctorNorLinks)
{
    refuse("INSERT", "DoctorCoveringDoctors", "NEW.CoveringDoctorCode = 9");
    const QStringList before = snapshot();
    qint16 doctorCode = 77;
    QString error;
    EXPECT_EQ(InsertDoctor(doctorCode, "Dr New", "B", ";4;9;", error), 2);
    EXPECT_TRUE(error.contains("refused by test"));
    EXPECT_EQ(doctorCode, 77);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ProviderRoutines, UpdateDoctorReconcilesItsCoveringDoctors)
{
    addDoctor(1, {4, 9});
    QString error;
    ASSERT_EQ(UpdateDoctor(1, "Dr Changed", "B2", ";9;12;", Loaded(StoredDoctor(1)), error), 0) << error.toStdString();
    EXPECT_EQ(writes(), QStringList({"DELETE FROM DoctorCoveringDoctors WHERE DoctorCode = 1 and CoveringDoctorCode = 4",
                                     "INSERT INTO DoctorCoveringDoctors (DoctorCode, CoveringDoctorCode) VALUES (1, 12)",
                                     "UPDATE Doctors SET Description='Dr Changed', BillingDoctorCode='B2' WHERE DoctorCode = 1"}));
    EXPECT_TRUE(statements.contains("SELECT * FROM DoctorCoveringDoctors where DoctorCode= 1"));
    EXPECT_EQ(links(1), QStringList({"9", "12"}));
    EXPECT_EQ(rows("SELECT * FROM Doctors"), QStringList({"1|Dr Changed|B2"}));
}

TEST_F(ProviderRoutines, UpdateDoctorWithAnEmptyListOrAnUnclosedList)
{
    addDoctor(1, {4, 9});
    addDoctor(2, {4, 9});
    QString error;
    ASSERT_EQ(UpdateDoctor(1, "Dr 1", "B1", ";", Loaded(StoredDoctor(1)), error), 0);
    EXPECT_TRUE(links(1).isEmpty());
    ASSERT_EQ(UpdateDoctor(2, "Dr 2", "B2", ";9;12", Loaded(StoredDoctor(2)), error), 0);
    EXPECT_EQ(links(2), QStringList({"9"})) << "12 has no closing separator";
}

TEST_F(ProviderRoutines, UpdateDoctorFailingAfterItsDeletesRollsThemBack)
{
    addDoctor(1, {4, 9});
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(UpdateDoctor(1, "Dr Changed", "B2", ";12;12;", Loaded(StoredDoctor(1)), error), 3);
    EXPECT_EQ(writes().filter("DELETE FROM DoctorCoveringDoctors").size(), 2);
    EXPECT_TRUE(writes().filter("UPDATE Doctors").isEmpty());
    EXPECT_EQ(snapshot(), before) << "the nested deletes are undone with the doctor update";
}

TEST_F(ProviderRoutines, UpdateDoctorRefusedAtTheLastStepKeepsTheLinks)
{
    addDoctor(1, {4});
    refuse("UPDATE", "Doctors");
    const QStringList before = snapshot();
    QString error;
    EXPECT_EQ(UpdateDoctor(1, "Dr Changed", "B2", ";5;", Loaded(StoredDoctor(1)), error), 1);
    EXPECT_TRUE(error.contains("refused by test"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ProviderRoutines, DeleteCoveringDoctorIsUndoneByItsCallersRollback)
{
    addDoctor(1, {4});
    QString error;
    std::string description;
    ASSERT_TRUE(Globals().DbConnection->beginTrans(description));
    ASSERT_EQ(DeleteCoveringDoctor(1, 4, error), 0);
    EXPECT_EQ(Globals().DbConnection->transactionLevel(), 1) << "its own level is closed";
    EXPECT_TRUE(links(1).isEmpty());
    ASSERT_TRUE(Globals().DbConnection->rollbackTrans(description));
    EXPECT_EQ(links(1), QStringList({"4"}));
}

TEST_F(ProviderRoutines, DoctorReadersAndDelete)
{
    addDoctor(1, {4});
    addDoctor(2);
    RecordsetPtr doctor = GetDoctor(2);
    EXPECT_EQ(statements.last(), "SELECT * FROM Doctors WHERE DoctorCode=2");
    ASSERT_TRUE(doctor);
    EXPECT_TRUE(doctor->IsReadOnly());
    EXPECT_EQ(doctor->Field("Description").toString(), "Dr 2");
    RecordsetPtr doctors = GetDoctors();
    EXPECT_EQ(statements.last(), "SELECT * FROM Doctors");
    ASSERT_TRUE(doctors);
    EXPECT_FALSE(doctors->IsReadOnly());
    EXPECT_EQ(doctors->RecordCount(), 2);
    RecordsetPtr covering = GetCoveringDoctors(1);
    ASSERT_TRUE(covering);
    EXPECT_FALSE(covering->IsReadOnly());
    EXPECT_EQ(covering->RecordCount(), 1);

    QString error;
    ASSERT_EQ(DeleteDoctor(1, error), 0) << error.toStdString();
    EXPECT_EQ(writes(), QStringList({"DELETE FROM Doctors WHERE DoctorCode = 1",
                                     "DELETE FROM DoctorCoveringDoctors WHERE DoctorCode = 1"}));
    EXPECT_TRUE(links(1).isEmpty()) << "the doctor's own links go with it";

    run("DROP TABLE DoctorCoveringDoctors");
    EXPECT_FALSE(GetCoveringDoctors(1));
    EXPECT_TRUE(shownMessages.isEmpty());
}

// --- facilities, wards and insurances -------------------------------------------------------

TEST_F(ProviderRoutines, FacilityStatements)
{
    qint16 facilityCode = 0;
    QString error;
    ASSERT_EQ(InsertFacility(facilityCode, "St. Mary's", 1, "IN'1", "OUT'1", error), 0) << error.toStdString();
    EXPECT_EQ(facilityCode, 1);
    ASSERT_EQ(UpdateFacility(1, "St. Mary's West", 2, "IN2", "OUT2", Loaded(StoredFacility(1)), error), 0);
    EXPECT_EQ(rows("SELECT * FROM Facility"), QStringList({"1|St. Mary's West|2|IN2|OUT2"}));
    ASSERT_EQ(DeleteFacility(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Facility (FacilityCode, Description, FacilityTypeCode, "
                                     "BillingFacilityCode, BillingFacilityCodeOut) VALUES (1, 'St. Mary''s',1, "
                                     "'IN''1','OUT''1')",
                                     "UPDATE Facility SET Description='St. Mary''s West', FacilityTypeCode = 2, "
                                     "BillingFacilityCode= 'IN2', BillingFacilityCodeOut= 'OUT2' WHERE FacilityCode = 1",
                                     "DELETE FROM Facility WHERE FacilityCode = 1",
                                     "DELETE FROM FacilityWards WHERE FacilityCode = 1"}));
}

TEST_F(ProviderRoutines, FacilityReaders)
{
    run("INSERT INTO Facility VALUES (1, 'North', 1, 'N', 'NO')");
    run("INSERT INTO Facility VALUES (2, 'South', 2, 'S', 'SO')");
    RecordsetPtr facility = GetFacility(2);
    EXPECT_EQ(statements.last(), "SELECT * FROM Facility WHERE FacilityCode=2");
    ASSERT_TRUE(facility);
    EXPECT_TRUE(facility->IsReadOnly());
    EXPECT_EQ(facility->Field("BillingFacilityCodeOut").toString(), "SO");
    RecordsetPtr facilities = GetFacilities();
    EXPECT_EQ(statements.last(), "SELECT * FROM Facility");
    ASSERT_TRUE(facilities);
    EXPECT_EQ(facilities->RecordCount(), 2);
    EXPECT_FALSE(facilities->IsReadOnly());
}

TEST_F(ProviderRoutines, WardStatementsAndMovingAWardToAnotherFacility)
{
    qint16 wardCode = 0;
    QString error;
    ASSERT_EQ(InsertWard(wardCode, 3, "ICU 'A'", error), 0) << error.toStdString();
    EXPECT_EQ(wardCode, 1);
    ASSERT_EQ(UpdateWard(1, 4, "ICU B", error), 0);
    EXPECT_EQ(rows("SELECT WardCode, FacilityCode, Description FROM FacilityWards"), QStringList({"1|4|ICU B"}));
    RecordsetPtr wards = GetFacilityWards(4);
    EXPECT_EQ(statements.last(), "SELECT * FROM FacilityWards WHERE FacilityCode= 4");
    ASSERT_TRUE(wards);
    EXPECT_EQ(wards->RecordCount(), 1);
    EXPECT_EQ(wards->Field("checked").toInt(), 0);
    RecordsetPtr ward = GetWard(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM FacilityWards WHERE WardCode= 1");
    ASSERT_TRUE(ward);
    EXPECT_FALSE(ward->IsReadOnly());
    ASSERT_EQ(DeleteWard(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (1, 3, "
                                     "'ICU ''A''')",
                                     "UPDATE FacilityWards SET Description='ICU B', FacilityCode = 4 WHERE WardCode = 1",
                                     "DELETE FROM FacilityWards WHERE WardCode = 1"}));
}

TEST_F(ProviderRoutines, InsertWardHandsTheCodeBackBeforeWriting)
{
    refuse("INSERT", "FacilityWards");
    qint16 wardCode = 0;
    QString error;
    EXPECT_EQ(InsertWard(wardCode, 3, "ICU", error), 1);
    EXPECT_EQ(wardCode, 1);
    EXPECT_TRUE(rows("SELECT * FROM FacilityWards").isEmpty());
}

TEST_F(ProviderRoutines, InsuranceStatementsAndReader)
{
    qint16 insuranceCode = 0;
    QString error;
    ASSERT_EQ(InsertInsurance(insuranceCode, "Blue's", "BC'1", error), 0) << error.toStdString();
    EXPECT_EQ(insuranceCode, 1);
    ASSERT_EQ(UpdateInsurance(1, "Blue Shield", "BS", Loaded(StoredInsurance(1)), error), 0);
    RecordsetPtr insurance = GetInsurance(1);
    EXPECT_EQ(statements.last(), "SELECT * FROM Insurance WHERE InsuranceCode=1");
    ASSERT_TRUE(insurance);
    EXPECT_TRUE(insurance->IsReadOnly());
    EXPECT_EQ(insurance->Field("Description").toString(), "Blue Shield");
    ASSERT_EQ(DeleteInsurance(1, error), 0);
    EXPECT_EQ(writes(), QStringList({"INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES "
                                     "(1, 'Blue''s','BC''1')",
                                     "UPDATE Insurance SET Description='Blue Shield', BillingInsuranceCode='BS' WHERE "
                                     "InsuranceCode = 1",
                                     "DELETE FROM Insurance WHERE InsuranceCode = 1"}));
}

TEST_F(ProviderRoutines, TypedTextIsStoredUnchanged)
{
    QString error;
    qint16 code = 0;
    ASSERT_EQ(InsertDoctor(code, kNasty, kNasty, ";", error), 0);
    ASSERT_EQ(UpdateDoctor(code, kNasty + "'", kNasty, ";", Loaded(StoredDoctor(code)), error), 0);
    ASSERT_EQ(InsertFacility(code, kNasty, 1, kNasty, kNasty, error), 0);
    ASSERT_EQ(UpdateFacility(code, kNasty + "'", 1, kNasty, kNasty, Loaded(StoredFacility(code)), error), 0);
    ASSERT_EQ(InsertWard(code, 1, kNasty, error), 0);
    ASSERT_EQ(UpdateWard(code, 1, kNasty + "'", error), 0);
    ASSERT_EQ(InsertInsurance(code, kNasty, kNasty, error), 0);
    ASSERT_EQ(UpdateInsurance(code, kNasty + "'", kNasty, Loaded(StoredInsurance(code)), error), 0);
    for (const QString& table : {"Doctors", "Facility", "FacilityWards", "Insurance"})
        EXPECT_EQ(rows("SELECT Description FROM " + table), QStringList({kNasty + "'"})) << table.toStdString();
    EXPECT_EQ(rows("SELECT BillingDoctorCode FROM Doctors"), QStringList({kNasty}));
}

TEST_F(ProviderRoutines, EveryRoutineTellsWhenNoRowChanged)
{
    struct Case {
        const char* routine;
        std::function<qint16(QString&)> call;
        QString text;
    };
    const std::vector<Case> cases = {
        {"UpdateDoctor", [](QString& e) { return UpdateDoctor(5, "D", "B", ";", Loaded(StoredDoctor(5)), e); },
         "U:IMPACTENT"},
        {"DeleteDoctor", [](QString& e) { return DeleteDoctor(5, e); }, "U:IMPELIENT"},
        {"DeleteCoveringDoctor", [](QString& e) { return DeleteCoveringDoctor(5, 4, e); }, "U:IMPELIENT"},
        {"UpdateFacility", [](QString& e) { return UpdateFacility(5, "F", 1, "", "", Loaded(StoredFacility(5)), e); },
         "U:IMPACTENT"},
        {"DeleteFacility", [](QString& e) { return DeleteFacility(5, e); }, "U:IMPELIENT"},
        {"UpdateWard", [](QString& e) { return UpdateWard(5, 1, "W", e); }, "U:IMPACTENT"},
        {"DeleteWard", [](QString& e) { return DeleteWard(5, e); }, "U:IMPELIENT"},
        {"UpdateInsurance", [](QString& e) { return UpdateInsurance(5, "I", "", Loaded(StoredInsurance(5)), e); },
         "U:IMPACTENT"},
        {"DeleteInsurance", [](QString& e) { return DeleteInsurance(5, e); }, "U:IMPELIENT"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(c.call(error), 2) << c.routine;
        EXPECT_EQ(error, c.text) << c.routine;
    }
    QString error;
    EXPECT_EQ(UpdateDoctor(5, "D", "B", ";4;", Loaded(StoredDoctor(5)), error), 2);
    EXPECT_TRUE(rows("SELECT * FROM DoctorCoveringDoctors").isEmpty()) << "links of a missing doctor are rolled back";
}

TEST_F(ProviderRoutines, DatabaseErrorsReturnOneAndChangeNothing)
{
    addDoctor(1, {4});
    run("INSERT INTO Facility VALUES (1, 'North', 1, 'N', 'NO')");
    run("INSERT INTO FacilityWards (WardCode, FacilityCode, Description) VALUES (1, 1, 'W')");
    run("INSERT INTO Insurance VALUES (1, 'I', 'B')");
    for (const QString& table : {"Doctors", "Facility", "FacilityWards", "Insurance"}) {
        refuse("INSERT", table);
        refuse("UPDATE", table);
        refuse("DELETE", table);
    }
    refuse("DELETE", "DoctorCoveringDoctors");
    const std::vector<std::function<qint16(QString&)>> calls = {
        [](QString& e) { qint16 c = 0; return InsertDoctor(c, "D", "B", ";", e); },
        [](QString& e) { return UpdateDoctor(1, "D", "B", ";4;", Loaded(StoredDoctor(1)), e); },
        [](QString& e) { return DeleteDoctor(1, e); },
        [](QString& e) { return DeleteCoveringDoctor(1, 4, e); },
        [](QString& e) { qint16 c = 0; return InsertFacility(c, "F", 1, "", "", e); },
        [](QString& e) { return UpdateFacility(1, "F", 1, "", "", Loaded(StoredFacility(1)), e); },
        [](QString& e) { return DeleteFacility(1, e); },
        [](QString& e) { qint16 c = 0; return InsertWard(c, 1, "W", e); },
        [](QString& e) { return UpdateWard(1, 1, "W", e); },
        [](QString& e) { return DeleteWard(1, e); },
        [](QString& e) { qint16 c = 0; return InsertInsurance(c, "I", "", e); },
        [](QString& e) { return UpdateInsurance(1, "I", "", Loaded(StoredInsurance(1)), e); },
        [](QString& e) { return DeleteInsurance(1, e); },
    };
    const QStringList before = snapshot();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        QString error;
        EXPECT_EQ(calls[i](error), 1) << "call " << i;
        EXPECT_TRUE(error.contains("refused by test")) << "call " << i << ": " << error.toStdString();
    }
    EXPECT_EQ(snapshot(), before);

    QString error;
    EXPECT_EQ(UpdateDoctor(1, "D", "B", ";", Loaded(StoredDoctor(1)), error), 3)
        << "a refused link delete is a detail failure";
    EXPECT_EQ(snapshot(), before);
}
