// A record changed on the handheld changes on the desktop only the fields the handheld changed
// since it was last given the record; every change of the desktop, one of letter case included,
// reaches every handheld.
#include "SyncTestEnvironment.h"

using demohandheld::stamp;

namespace {

const std::string kSynchronisedStamp = "#2026-12-01 08:00:00#";

class FieldMergeTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        firstHandheld = handheldFolder;
        secondHandheld = addHandheld("Second", "Dr Bo", 77);
    }

    void synchroniseBoth()
    {
        useHandheld(firstHandheld);
        synchronise();
        useHandheld(secondHandheld);
        synchronise();
    }

    std::string onHandheld(int patientId, const std::string& field)
    {
        return demohandheld::patientField(handheldPatient(patientId).bytes, field);
    }

    std::string onDesktop(int patientId, const std::string& column)
    {
        return text("SELECT " + column + " FROM Patient WHERE PatientId = " + std::to_string(patientId));
    }

    std::string firstHandheld;
    std::string secondHandheld;
};

TEST_F(FieldMergeTest, NamesTheHandheldCannotHoldWholeSurviveAChangeOfAnotherField)
{
    const std::string outsideTheCodePage = "\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87";  // Łukasz Żółć
    const std::string longName = "WOLFESCHLEGELSTEINHAUSENBERGER, HUBERT BLAINE";
    insertDesktopPatient({25001, outsideTheCodePage, "1950-01-31", "A-1", 1}, kSynchronisedStamp);
    insertDesktopPatient({25002, longName, "1950-01-31", "A-2", 1}, kSynchronisedStamp);
    synchroniseBoth();

    useHandheld(firstHandheld);
    ASSERT_EQ(onHandheld(25001, "names"), "'?ukasz ?\xF3?" "?'");
    ASSERT_EQ(onHandheld(25002, "names"), "'" + longName.substr(0, 40) + "'");
    changeOnHandheld(25001, "ward", "12", stamp(2026, 12, 8, 9, 0, 0));
    changeOnHandheld(25002, "ward", "14", stamp(2026, 12, 8, 9, 0, 0));
    synchronise();

    EXPECT_EQ(onDesktop(25001, "[Names]"), outsideTheCodePage);
    EXPECT_EQ(onDesktop(25001, "InWardCode"), "12");
    EXPECT_EQ(onDesktop(25002, "[Names]"), longName);
    EXPECT_EQ(onDesktop(25002, "InWardCode"), "14");

    useHandheld(secondHandheld);
    synchronise();
    EXPECT_EQ(onHandheld(25001, "ward"), "12");
    EXPECT_EQ(onHandheld(25002, "ward"), "14");
}

TEST_F(FieldMergeTest, EachSideKeepsTheFieldsOnlyItChanged)
{
    insertDesktopPatient({25001, "ADAMS, ANN", "1950-01-31", "A-1", 1}, kSynchronisedStamp);
    insertDesktopPatient({25002, "BAKER, BEN", "1950-01-31", "A-2", 1}, kSynchronisedStamp);
    insertDesktopPatient({25003, "COLE, CARL", "1950-01-31", "A-3", 1}, kSynchronisedStamp);
    synchroniseBoth();

    // Ann: the desktop's change first, the handheld's later; Ben the other way round; Carl:
    // both changed his name, the desktop later, and the handheld also moved him.
    execute("UPDATE Patient SET InsuranceCode = 7, VXTS = #2026-12-08 09:00:00# WHERE PatientId = 25001");
    execute("UPDATE Patient SET InsuranceCode = 8, VXTS = #2026-12-08 10:00:00# WHERE PatientId = 25002");
    execute("UPDATE Patient SET [Names] = 'COLE, CARL DESKTOP', VXTS = #2026-12-08 10:00:00# WHERE PatientId = 25003");
    useHandheld(firstHandheld);
    changeOnHandheld(25001, "ward", "12", stamp(2026, 12, 8, 10, 0, 0));
    changeOnHandheld(25002, "ward", "13", stamp(2026, 12, 8, 9, 0, 0));
    changeOnHandheld(25003, "ward", "14", stamp(2026, 12, 8, 9, 0, 0));
    changeOnHandheld(25003, "names", "COLE, CARL HANDHELD", stamp(2026, 12, 8, 9, 0, 0));
    synchronise();

    EXPECT_EQ(onDesktop(25001, "InsuranceCode"), "7");
    EXPECT_EQ(onDesktop(25001, "InWardCode"), "12");
    EXPECT_EQ(onDesktop(25002, "InsuranceCode"), "8");
    EXPECT_EQ(onDesktop(25002, "InWardCode"), "13");
    EXPECT_EQ(onDesktop(25003, "[Names]"), "COLE, CARL DESKTOP") << "the later change of the same field wins";
    EXPECT_EQ(onDesktop(25003, "InWardCode"), "14");
    for (int handheld = 0; handheld < 2; ++handheld) {
        if (handheld == 1) {
            useHandheld(secondHandheld);
            synchronise();
        }
        EXPECT_EQ(onHandheld(25001, "insurance"), "7") << handheld;
        EXPECT_EQ(onHandheld(25001, "ward"), "12") << handheld;
        EXPECT_EQ(onHandheld(25002, "insurance"), "8") << handheld;
        EXPECT_EQ(onHandheld(25002, "ward"), "13") << handheld;
        EXPECT_EQ(onHandheld(25003, "names"), "'COLE, CARL DESKTOP'") << handheld;
        EXPECT_EQ(onHandheld(25003, "ward"), "14") << handheld;
    }
}

TEST_F(FieldMergeTest, AChangeOfLetterCaseAloneReachesTheHandhelds)
{
    insertDesktopPatient({25001, "Hartigan, Ambrose", "1950-01-31", "ha-1", 1}, kSynchronisedStamp);
    synchroniseBoth();

    execute("UPDATE Patient SET [Names] = 'HARTIGAN, AMBROSE', AccountNumber = 'HA-1', VXTS = #2026-12-08 09:00:00# "
            "WHERE PatientId = 25001");
    useHandheld(firstHandheld);
    synchronise();
    EXPECT_EQ(onHandheld(25001, "names"), "'HARTIGAN, AMBROSE'");
    EXPECT_EQ(onHandheld(25001, "account"), "'HA-1'");

    // The handheld's later change of the ward keeps the desktop's letters.
    changeOnHandheld(25001, "ward", "12", stamp(2026, 12, 9, 9, 0, 0));
    synchronise();
    EXPECT_EQ(onDesktop(25001, "[Names]"), "HARTIGAN, AMBROSE");
    EXPECT_EQ(onDesktop(25001, "InWardCode"), "12");

    useHandheld(secondHandheld);
    synchronise();
    EXPECT_EQ(onHandheld(25001, "names"), "'HARTIGAN, AMBROSE'");
    EXPECT_EQ(onHandheld(25001, "account"), "'HA-1'");
}

}  // namespace
