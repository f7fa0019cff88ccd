// FillListView of a 30,000-row charges-like list, and RefreshListRow of one edited row of a
// 30,000-row list (re-read from the database, merged, row selected), offscreen.
#include "AppGlobals.h"
#include "AsisRutinasRecordsets.h"
#include "JetConnection.h"
#include "ListViewRoutines.h"
#include "PracticeConnection.h"
#include "TempDir.h"

#include <QApplication>
#include <QDate>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kRows = 30000;

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_list_view";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        return new QApplication(argc, argv);
    }();
    return *instance;
}

RecordsetPtr charges()
{
    auto rows = std::make_shared<Recordset>(std::vector<RecordsetColumn>{
        {"ChargeRealDate", jet::ColumnType::Date}, {"Names", jet::ColumnType::Text},
        {"EMDescription", jet::ColumnType::Text}, {"Doctor", jet::ColumnType::Text},
        {"Facility", jet::ColumnType::Text}, {"Insurance", jet::ColumnType::Text},
        {"StatusDescription", jet::ColumnType::Text}, {"PatientId", jet::ColumnType::Integer16}});
    for (int row = 0; row < kRows; ++row) {
        rows->AddNew();
        rows->SetField(0, QDate(2020, 1, 1).addDays(row % 2000));
        rows->SetField(1, QStringLiteral("Patient %1, Maria").arg(row));
        rows->SetField(2, "Subsequent hospital care, level 2");
        rows->SetField(3, QStringLiteral("Doctor %1").arg(row % 40));
        rows->SetField(4, QStringLiteral("Facility %1").arg(row % 25));
        rows->SetField(5, QStringLiteral("Insurance %1").arg(row % 60));
        rows->SetField(6, "Ready");
        rows->SetField(7, 25000 + row % 7000);
        rows->Update();
    }
    return rows;
}

void addChargeColumns(ListView& list)
{
    list.AddColumn("ChargeRealDate", "Date", 1440);
    list.AddColumn("Names", "Patient", 2880);
    list.AddColumn("EMDescription", "E & M Concept", 2880);
    list.AddColumn("Doctor", "Doctor", 2880);
    list.AddColumn("Facility", "Facility", 2880);
    list.AddColumn("Insurance", "Insurance", 2880);
    list.AddColumn("StatusDescription", "Status", 1440);
}

void BM_FillListView(benchmark::State& state)
{
    application();
    RecordsetPtr rows = charges();
    ListView list;
    addChargeColumns(list);
    list.resize(1000, 600);
    list.show();
    for (auto _ : state) {
        FillListView(list, *rows);
        benchmark::DoNotOptimize(list.topLevelItemCount());
    }
}
BENCHMARK(BM_FillListView)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A practice database holding 30,000 insurances, connected as the program connects.
struct InsuranceDatabase {
    InsuranceDatabase()
    {
        ConnectNewPractice(folder.file("practice.mdb"));
        std::string error;
        jet::Connection& connection = *Globals().DbConnection;
        long affected = 0;
        connection.beginTrans(error);
        for (int code = 1; code <= kRows; ++code) {
            const std::string sql = "INSERT INTO Insurance (InsuranceCode, Description, BillingInsuranceCode) VALUES (" +
                                    std::to_string(code) + ", 'Insurance number " + std::to_string(code) +
                                    "', 'B" + std::to_string(code) + "')";
            if (!connection.execute(sql, affected, error))
                throw std::runtime_error(error);
        }
        connection.commitTrans(error);
    }
    ~InsuranceDatabase() { ResetGlobals(); }

    testsupport::TempDir folder;
};

void BM_RefreshListRow(benchmark::State& state)
{
    application();
    InsuranceDatabase database;
    RecordsetPtr rows;
    QString error;
    if (OpenRecordset(rows, "SELECT * FROM Insurance", error) != 0) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    ListView list;
    list.AddColumn("Description", "Insurance", 2880);
    list.AddColumn("InsuranceCode", "Code", 1440);
    list.AddColumn("BillingInsuranceCode", "Billing", 1440);
    list.resize(800, 600);
    list.show();
    FillListView(list, *rows);
    for (auto _ : state) {
        // The row edited sits in the middle of the list.
        RefreshListRow(rows, "SELECT * FROM Insurance WHERE ", "InsuranceCode=15000", list);
        benchmark::DoNotOptimize(list.currentItem());
    }
    if (rows->RecordCount() != kRows || rows->AbsolutePosition() != 15000)
        state.SkipWithError("the row was not merged in place");
}
BENCHMARK(BM_RefreshListRow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
