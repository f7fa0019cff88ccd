// The in-memory table on its own, without a database.
#include "AsisRutinasRecordsets.h"
#include "Recordset.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

using jet::ColumnType;

namespace {

RecordsetPtr makeRecordset(std::vector<RecordsetColumn> columns, const std::vector<std::vector<QVariant>>& rows)
{
    auto recordset = std::make_shared<Recordset>(std::move(columns));
    for (const auto& row : rows) {
        EXPECT_TRUE(recordset->AddNew());
        for (int i = 0; i < int(row.size()); ++i)
            EXPECT_TRUE(recordset->SetField(i, row[i])) << recordset->LastError().toStdString();
        EXPECT_TRUE(recordset->Update());
    }
    recordset->MoveFirst();
    return recordset;
}

// Ten history items; two of them (codes 4 and 9) of type 2.
RecordsetPtr historyItems()
{
    std::vector<std::vector<QVariant>> rows;
    for (int code = 1; code <= 10; ++code)
        rows.push_back({code, QStringLiteral("Item %1").arg(code), (code == 4 || code == 9) ? 2 : 1});
    return makeRecordset({{"SicknessCode", ColumnType::Integer16},
                          {"Description", ColumnType::Text},
                          {"SicknessTypeCode", ColumnType::Integer16}},
                         rows);
}

std::vector<QVariant> columnValues(Recordset& recordset, const QString& column)
{
    std::vector<QVariant> values;
    for (recordset.MoveFirst(); !recordset.EndOfFile(); recordset.MoveNext())
        values.push_back(recordset.Field(column));
    return values;
}

std::vector<int> codes(Recordset& recordset, const QString& column = "SicknessCode")
{
    std::vector<int> numbers;
    for (const QVariant& v : columnValues(recordset, column))
        numbers.push_back(v.toInt());
    return numbers;
}

}  // namespace

// --- columns and values ---------------------------------------------------------------------

TEST(RecordsetValues, ColumnNamesMatchWithoutRegardToCase)
{
    auto charges = makeRecordset({{"Status", ColumnType::Integer16}}, {{1}});
    EXPECT_EQ(charges->FieldIndex("status"), 0);
    EXPECT_EQ(charges->FieldIndex(" STATUS "), 0);
    EXPECT_EQ(charges->FieldIndex("Statu"), -1);
    EXPECT_TRUE(charges->SetField("sTaTuS", 2));
    EXPECT_EQ(charges->Field("Status").toInt(), 2);
}

TEST(RecordsetValues, NullIsToldApartFromZeroAndFromEmptyText)
{
    auto rs = makeRecordset({{"Code", ColumnType::Integer16}, {"Name", ColumnType::Text}},
                            {{QVariant(), QVariant()}, {0, QString("")}});
    rs->MoveFirst();
    EXPECT_FALSE(rs->Field("Code").isValid());
    EXPECT_FALSE(rs->Field("Name").isValid());
    rs->MoveNext();
    ASSERT_TRUE(rs->Field("Code").isValid());
    EXPECT_EQ(rs->Field("Code").toInt(), 0);
    ASSERT_TRUE(rs->Field("Name").isValid());
    EXPECT_TRUE(rs->Field("Name").toString().isEmpty());
    EXPECT_TRUE(rs->SetField("Code", QVariant()));
    EXPECT_FALSE(rs->Field("Code").isValid());
}

TEST(RecordsetValues, SetValuesTakeTheColumnTypeOrAreRefused)
{
    auto rs = makeRecordset({{"Code", ColumnType::Integer16},
                             {"EMCode", ColumnType::Integer32},
                             {"Born", ColumnType::Date},
                             {"At", ColumnType::Time},
                             {"Stamp", ColumnType::DateTime},
                             {"Name", ColumnType::Text}},
                            {{1, 2, QVariant(), QVariant(), QVariant(), "x"}});
    EXPECT_TRUE(rs->SetField("Code", true));
    EXPECT_EQ(rs->Field("Code").typeId(), QMetaType::Short);
    EXPECT_EQ(rs->Field("Code").toInt(), 1);
    EXPECT_EQ(rs->Field("EMCode").typeId(), QMetaType::Int);

    EXPECT_FALSE(rs->SetField("Code", 40000));
    EXPECT_EQ(rs->Field("Code").toInt(), 1) << "a refused value leaves the field as it was";
    EXPECT_FALSE(rs->SetField("EMCode", "twelve"));
    EXPECT_EQ(rs->Field("EMCode").toInt(), 2);
    EXPECT_TRUE(rs->SetField("EMCode", 70000));
    EXPECT_EQ(rs->Field("EMCode").toInt(), 70000);

    EXPECT_TRUE(rs->SetField("Born", QString("1950-01-31")));
    EXPECT_EQ(rs->Field("Born").toDate(), QDate(1950, 1, 31));
    EXPECT_FALSE(rs->SetField("Born", QString("31/01/1950")));
    EXPECT_TRUE(rs->SetField("At", QTime(10, 15, 0)));
    EXPECT_EQ(rs->Field("At").typeId(), QMetaType::QTime);
    EXPECT_TRUE(rs->SetField("Stamp", QDate(2026, 12, 7)));
    EXPECT_EQ(rs->Field("Stamp").toDateTime(), QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
    EXPECT_TRUE(rs->SetField("Name", 25));
    EXPECT_EQ(rs->Field("Name").toString(), "25");
    EXPECT_FALSE(rs->SetField("Missing", 1));
    EXPECT_FALSE(rs->LastError().isEmpty());
}

TEST(RecordsetValues, DatabaseValuesBecomeTypedValues)
{
    jet::Rows rows;
    rows.columns = {{"PatientId", ColumnType::Integer16}, {"PrintLot", ColumnType::Integer32},
                    {"ChargeDate", ColumnType::Date},     {"ChargeTime", ColumnType::Time},
                    {"VXTS", ColumnType::DateTime},       {"Names", ColumnType::Text},
                    {"Odd", ColumnType::Date},            {"Big", ColumnType::Integer16}};
    rows.rows.push_back({std::int64_t(25001), std::int64_t(202612071), std::string("2026-12-07"),
                         std::string("09:05:03"), std::string("2026-12-07 10:15:00"), std::string(""),
                         std::string("not a date"), std::int64_t(70000)});
    rows.rows.push_back({std::monostate(), std::monostate(), std::monostate(), std::string("1899-12-30 13:00:00"),
                         std::string("2026-12-07"), std::monostate(), std::monostate(), std::monostate()});
    auto rs = Recordset::fromRows(rows, false);
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Field("PatientId").typeId(), QMetaType::Short);
    EXPECT_EQ(rs->Field("PatientId").toInt(), 25001);
    EXPECT_EQ(rs->Field("PrintLot").typeId(), QMetaType::Int);
    EXPECT_EQ(rs->Field("ChargeDate").toDate(), QDate(2026, 12, 7));
    EXPECT_EQ(rs->Field("ChargeTime").toTime(), QTime(9, 5, 3));
    EXPECT_EQ(rs->Field("VXTS").toDateTime(), QDateTime(QDate(2026, 12, 7), QTime(10, 15)));
    EXPECT_TRUE(rs->Field("Names").isValid());
    EXPECT_EQ(rs->Field("Odd").toString(), "not a date") << "an unreadable date keeps its text";
    EXPECT_EQ(rs->Field("Big").toLongLong(), 70000) << "an out-of-range number is not cut to 16 bits";
    rs->MoveNext();
    EXPECT_FALSE(rs->Field("PatientId").isValid());
    EXPECT_FALSE(rs->Field("Names").isValid());
    EXPECT_EQ(rs->Field("ChargeTime").toTime(), QTime(13, 0, 0));
    EXPECT_EQ(rs->Field("VXTS").toDateTime(), QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
}

// --- cursor -----------------------------------------------------------------------------------

TEST(RecordsetCursor, EmptyRecordsetIsAtEndOfFileWithAllItsColumns)
{
    Recordset empty({{"PatientId", ColumnType::Integer16}, {"Names", ColumnType::Text}});
    EXPECT_EQ(empty.FieldCount(), 2);
    EXPECT_EQ(empty.FieldName(1), "Names");
    EXPECT_EQ(empty.RecordCount(), 0);
    EXPECT_TRUE(empty.EndOfFile());
    empty.MoveFirst();
    empty.MoveNext();
    EXPECT_TRUE(empty.EndOfFile());
    EXPECT_EQ(empty.AbsolutePosition(), 0);
    EXPECT_FALSE(empty.Field("Names").isValid());
    EXPECT_FALSE(empty.SetField("Names", "x"));
    EXPECT_FALSE(empty.Update());
    EXPECT_FALSE(empty.Delete());
    EXPECT_TRUE(empty.Find("PatientId=1"));
    EXPECT_TRUE(empty.EndOfFile());
}

TEST(RecordsetCursor, MovesAndAbsolutePosition)
{
    auto rs = historyItems();
    EXPECT_EQ(rs->RecordCount(), 10);
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    EXPECT_TRUE(rs->SetAbsolutePosition(10));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 10);
    rs->MoveNext();
    EXPECT_TRUE(rs->EndOfFile());
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    rs->MoveNext();
    EXPECT_TRUE(rs->EndOfFile()) << "moving past the end stays at the end";
    EXPECT_FALSE(rs->SetAbsolutePosition(11));
    EXPECT_FALSE(rs->SetAbsolutePosition(0));
    EXPECT_TRUE(rs->EndOfFile()) << "a refused position leaves the cursor";
    rs->MoveFirst();
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 1);
}

// --- filter -----------------------------------------------------------------------------------

TEST(RecordsetFilter, RestrictsTheViewAndEmptyTextRestoresIt)
{
    auto rs = historyItems();
    ASSERT_TRUE(rs->SetFilter("SicknessTypeCode=2"));
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_TRUE(rs->SetAbsolutePosition(1));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 4);
    EXPECT_TRUE(rs->SetAbsolutePosition(2));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 9);
    EXPECT_FALSE(rs->SetAbsolutePosition(3));
    EXPECT_EQ(rs->Filter(), "SicknessTypeCode=2");

    ASSERT_TRUE(rs->SetFilter(""));
    EXPECT_EQ(rs->RecordCount(), 10);
    EXPECT_EQ(rs->AbsolutePosition(), 1);
}

TEST(RecordsetFilter, SeveralComparisonsMustAllHold)
{
    std::vector<std::vector<QVariant>> rows = {{1, 1, 2, 3}, {2, 1, 2, 4}, {3, 1, 2, 3}, {4, 2, 2, 3}, {5, QVariant(), 2, 3}};
    auto em = makeRecordset({{"EMCode", ColumnType::Integer32},
                             {"FacilityTypeCode", ColumnType::Integer16},
                             {"ChargeTypeCode", ColumnType::Integer16},
                             {"AttentionTypeCode", ColumnType::Integer16}},
                            rows);
    ASSERT_TRUE(em->SetFilter("FacilityTypeCode=1 and ChargeTypeCode = 2 and AttentionTypeCode= 3"));
    EXPECT_EQ(codes(*em, "EMCode"), (std::vector<int>{1, 3}));
    ASSERT_TRUE(em->SetFilter("FacilityTypeCode=0"));
    EXPECT_EQ(em->RecordCount(), 0) << "Null is not 0";
    EXPECT_TRUE(em->EndOfFile());
}

TEST(RecordsetFilter, UnreadableFilterIsRefusedAndTheViewKept)
{
    auto rs = historyItems();
    ASSERT_TRUE(rs->SetFilter("SicknessTypeCode=2"));
    EXPECT_FALSE(rs->SetFilter("NoSuchColumn=1"));
    EXPECT_FALSE(rs->SetFilter("SicknessTypeCode=two"));
    EXPECT_FALSE(rs->SetFilter("SicknessTypeCode"));
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Filter(), "SicknessTypeCode=2");
}

// --- sort -------------------------------------------------------------------------------------

TEST(RecordsetSort, OrdersTextWithoutRegardToCaseAndReadsBackWithItsBlanks)
{
    auto rs = makeRecordset({{"Code", ColumnType::Integer16}, {"Description", ColumnType::Text}},
                            {{1, "delta"}, {2, "Alpha"}, {3, "charlie"}, {4, "BRAVO"}, {5, QVariant()}, {6, "alpha"}});
    ASSERT_TRUE(rs->SetSort(" Description "));
    EXPECT_EQ(rs->Sort(), " Description ");
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{5, 2, 6, 4, 3, 1})) << "Null first; equal text keeps read order";
    ASSERT_TRUE(rs->SetSort(""));
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(RecordsetSort, EqualValuesKeepTheirReadOrderInALargeRecordset)
{
    std::vector<std::vector<QVariant>> rows;
    const QStringList groups = {"Charlie", "alpha", "BRAVO", "Alpha", "charlie", "bravo"};
    for (int code = 1; code <= 300; ++code)
        rows.push_back({code, groups[(code * 7) % groups.size()]});
    auto rs = makeRecordset({{"Code", ColumnType::Integer16}, {"Name", ColumnType::Text}}, rows);
    ASSERT_TRUE(rs->SetSort("Name"));
    QString previousName;
    int previousCode = 0;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        const QString name = rs->Field("Name").toString().toLower();
        const int code = rs->Field("Code").toInt();
        ASSERT_LE(previousName, name);
        if (name == previousName)
            ASSERT_LT(previousCode, code) << "rows equal on the sort column stay in read order";
        previousName = name;
        previousCode = code;
    }
    EXPECT_EQ(rs->RecordCount(), 300);
}

TEST(RecordsetSort, OrdersNumbersByValueAndDatesAndTimesInTimeOrder)
{
    auto rs = makeRecordset({{"Code", ColumnType::Integer32}, {"Day", ColumnType::Date}, {"At", ColumnType::Time}},
                            {{100, QDate(2026, 1, 2), QTime(9, 0)},
                             {9, QDate(2025, 12, 31), QTime(13, 0)},
                             {-5, QDate(2026, 1, 10), QTime(8, 59, 59)},
                             {20, QDate(2025, 2, 1), QTime(23, 0)}});
    ASSERT_TRUE(rs->SetSort("Code"));
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{-5, 9, 20, 100}));
    ASSERT_TRUE(rs->SetSort("Day"));
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{20, 9, 100, -5}));
    ASSERT_TRUE(rs->SetSort("at"));
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{-5, 100, 9, 20}));
}

TEST(RecordsetSort, SeveralColumnsAndFilterTogether)
{
    auto rs = makeRecordset({{"Code", ColumnType::Integer16}, {"Type", ColumnType::Integer16}, {"Name", ColumnType::Text}},
                            {{1, 2, "b"}, {2, 1, "b"}, {3, 2, "a"}, {4, 1, "a"}, {5, 3, "a"}});
    ASSERT_TRUE(rs->SetSort("Name, Type"));
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{4, 3, 5, 2, 1}));
    ASSERT_TRUE(rs->SetFilter("Type=2"));
    EXPECT_EQ(codes(*rs, "Code"), (std::vector<int>{3, 1})) << "the view is filtered and sorted";
    EXPECT_FALSE(rs->SetSort("Name, Nothing"));
    EXPECT_EQ(rs->Sort(), "Name, Type");
}

// --- find -------------------------------------------------------------------------------------

TEST(RecordsetFind, SearchesForwardFromTheCurrentRowIncluded)
{
    auto rs = historyItems();
    ASSERT_TRUE(rs->Find("SicknessTypeCode = 2"));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 4);
    ASSERT_TRUE(rs->Find("SicknessTypeCode=2"));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 4) << "the current row is searched first";
    rs->MoveNext();
    ASSERT_TRUE(rs->Find("SicknessTypeCode =2"));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 9);
    rs->MoveNext();
    ASSERT_TRUE(rs->Find("SicknessTypeCode=2"));
    EXPECT_TRUE(rs->EndOfFile());
}

TEST(RecordsetFind, MissingValueEndsAtEndOfFile)
{
    auto patients = makeRecordset({{"PatientId", ColumnType::Integer16}}, {{25001}, {25002}, {25004}});
    patients->MoveFirst();
    ASSERT_TRUE(patients->Find("PatientId = 25003"));
    EXPECT_TRUE(patients->EndOfFile());
}

TEST(RecordsetFind, DatesAndTimesBetweenHashes)
{
    auto charges = makeRecordset({{"PatientId", ColumnType::Integer16}, {"ChargeDate", ColumnType::Date},
                                  {"ChargeTime", ColumnType::Time}},
                                 {{1, QDate(2026, 12, 6), QTime(9, 0, 0)},
                                  {2, QDate(2026, 12, 7), QTime(9, 0, 0)},
                                  {3, QDate(2026, 12, 7), QTime(10, 15, 30)}});
    ASSERT_TRUE(charges->Find("ChargeDate=#12/07/2026#"));
    EXPECT_EQ(charges->Field("PatientId").toInt(), 2);
    charges->MoveFirst();
    ASSERT_TRUE(charges->Find("ChargeTime = #10:15:30#"));
    EXPECT_EQ(charges->Field("PatientId").toInt(), 3);
}

TEST(RecordsetFind, UnreadableCriterionLeavesTheCursor)
{
    auto rs = historyItems();
    rs->SetAbsolutePosition(3);
    EXPECT_FALSE(rs->Find("Nothing=1"));
    EXPECT_FALSE(rs->Find("SicknessCode=#13/45/2026#"));
    EXPECT_FALSE(rs->Find("SicknessCode"));
    EXPECT_EQ(rs->AbsolutePosition(), 3);
}

// --- add, update, delete ----------------------------------------------------------------------

TEST(RecordsetEdit, AddedRowIsCurrentWithUnsetFieldsNullEvenUnderASort)
{
    auto rs = historyItems();
    ASSERT_TRUE(rs->SetSort("Description"));
    ASSERT_TRUE(rs->AddNew());
    EXPECT_TRUE(rs->SetField("SicknessCode", 11));
    EXPECT_TRUE(rs->SetField("Description", "A first by name"));
    ASSERT_TRUE(rs->Update());
    EXPECT_EQ(rs->RecordCount(), 11);
    const qint32 position = rs->AbsolutePosition();
    ASSERT_GT(position, 0);
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 11);
    EXPECT_FALSE(rs->Field("SicknessTypeCode").isValid());
    rs->MoveFirst();
    ASSERT_TRUE(rs->SetAbsolutePosition(position));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 11) << "the position read after the update addresses the row";

    ASSERT_TRUE(rs->SetSort("Description"));
    EXPECT_EQ(rs->Field("SicknessCode").toInt(), 11) << "a new sort puts the row in its place";
}

TEST(RecordsetEdit, DeleteRemovesOnlyTheCurrentRowAndMoveNextGoesOn)
{
    auto rs = historyItems();
    // Remove marked rows while walking, as the dialogs do; 4 and 5 follow each other.
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        const int code = rs->Field("SicknessCode").toInt();
        if (code == 4 || code == 5 || code == 9) {
            ASSERT_TRUE(rs->Delete());
            EXPECT_FALSE(rs->Field("SicknessCode").isValid()) << "a deleted row has no values";
        }
    }
    EXPECT_EQ(codes(*rs), (std::vector<int>{1, 2, 3, 6, 7, 8, 10}));

    ASSERT_TRUE(rs->SetFilter("SicknessCode=10"));
    ASSERT_TRUE(rs->Delete());
    EXPECT_TRUE(rs->EndOfFile());
    ASSERT_TRUE(rs->SetFilter(""));
    EXPECT_EQ(codes(*rs), (std::vector<int>{1, 2, 3, 6, 7, 8}));
}

TEST(RecordsetEdit, ATextReadIntoManyRowsChangesOnlyInTheRowEditedAndOutlivesItsRecordset)
{
    jet::Rows charges;
    charges.columns = {{"PatientId", ColumnType::Integer16}, {"Doctor", ColumnType::Text}};
    charges.rows = {{std::int64_t(1), std::string("Dr. Amy")}, {std::int64_t(2), std::string("Dr. Amy")}};
    auto rs = Recordset::fromRows(charges, false);
    ASSERT_TRUE(rs->SetField("Doctor", "Dr. Zed"));
    const auto second = rs->RowAt(2);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[1].toString(), "Dr. Amy");
    EXPECT_EQ(rs->Field("Doctor").toString(), "Dr. Zed");
    rs.reset();
    EXPECT_EQ((*second)[1].toString(), "Dr. Amy") << "a list may still show a row of a recordset replaced";
}

TEST(RecordsetEdit, ReadOnlyRecordsetRefusesChangesButBrowses)
{
    jet::Rows doctors;
    doctors.columns = {{"DoctorCode", ColumnType::Integer16}, {"Description", ColumnType::Text}};
    doctors.rows = {{std::int64_t(2), std::string("Zed")}, {std::int64_t(1), std::string("Amy")}};
    auto rs = Recordset::fromRows(doctors, true);
    ASSERT_TRUE(rs->IsReadOnly());
    EXPECT_FALSE(rs->SetField("Description", "Changed"));
    EXPECT_FALSE(rs->AddNew());
    EXPECT_FALSE(rs->Delete());
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Field("Description").toString(), "Zed");
    ASSERT_TRUE(rs->SetSort("Description"));
    EXPECT_EQ(rs->Field("DoctorCode").toInt(), 1);
}

// --- row copies -------------------------------------------------------------------------------

TEST(RecordsetCopies, CopyAllRowsMatchesColumnsByNameOverTheDestination)
{
    auto source = makeRecordset({{"Code", ColumnType::Integer16}, {"Extra", ColumnType::Text},
                                 {"description", ColumnType::Text}},
                                {{1, "x", "one"}, {2, "y", "two"}});
    auto destination = makeRecordset({{"Description", ColumnType::Text}, {"checked", ColumnType::Integer16},
                                      {"CODE", ColumnType::Integer16}},
                                     {{"kept", 0, 9}});
    CopyAllRows(*destination, *source);
    EXPECT_TRUE(source->EndOfFile());
    EXPECT_EQ(destination->RecordCount(), 3);
    EXPECT_EQ(destination->AbsolutePosition(), 3) << "the last appended row is current";
    EXPECT_EQ(destination->Field("Code").toInt(), 2);
    EXPECT_EQ(destination->Field("Description").toString(), "two");
    EXPECT_FALSE(destination->Field("checked").isValid()) << "a column the source lacks is Null in a new row";
    EXPECT_EQ(destination->FieldCount(), 3) << "source columns the destination lacks are ignored";
    destination->MoveFirst();
    EXPECT_EQ(destination->Field("Description").toString(), "kept");
}

TEST(RecordsetCopies, CopiesWithoutASourceRowChangeNothing)
{
    Recordset source({{"Code", ColumnType::Integer16}});
    auto destination = makeRecordset({{"Code", ColumnType::Integer16}}, {{7}});
    CopyAllRows(*destination, source);
    AppendCurrentRow(*destination, source);
    OverwriteCurrentRow(*destination, source);
    EXPECT_EQ(destination->RecordCount(), 1);
    EXPECT_EQ(destination->Field("Code").toInt(), 7);

    // A source standing at end of file has no current row to copy.
    auto atEnd = makeRecordset({{"Code", ColumnType::Integer16}}, {{8}});
    atEnd->MoveNext();
    AppendCurrentRow(*destination, *atEnd);
    OverwriteCurrentRow(*destination, *atEnd);
    EXPECT_EQ(destination->RecordCount(), 1);
    EXPECT_EQ(destination->Field("Code").toInt(), 7);
}

TEST(RecordsetCopies, AppendAndOverwriteTheCurrentRow)
{
    auto source = makeRecordset({{"Code", ColumnType::Integer16}, {"Name", ColumnType::Text}},
                                {{1, "one"}, {2, "two"}});
    source->SetAbsolutePosition(2);
    auto destination = makeRecordset({{"Code", ColumnType::Integer16}, {"Name", ColumnType::Text},
                                      {"checked", ColumnType::Integer16}},
                                     {{5, "five", 3}, {6, "six", 1}});
    destination->MoveFirst();
    OverwriteCurrentRow(*destination, *source);
    EXPECT_EQ(destination->Field("Code").toInt(), 2);
    EXPECT_EQ(destination->Field("Name").toString(), "two");
    EXPECT_EQ(destination->Field("checked").toInt(), 3) << "a column the source lacks keeps its value";
    EXPECT_EQ(destination->RecordCount(), 2);

    source->MoveFirst();
    AppendCurrentRow(*destination, *source);
    EXPECT_EQ(destination->RecordCount(), 3);
    EXPECT_EQ(destination->AbsolutePosition(), 3);
    EXPECT_EQ(destination->Field("Name").toString(), "one");
    EXPECT_FALSE(destination->Field("checked").isValid());
    EXPECT_EQ(source->AbsolutePosition(), 1) << "the source's cursor does not move";
}
