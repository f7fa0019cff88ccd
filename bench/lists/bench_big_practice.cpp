// The charges list (views All, Ready, Posted, Archived) and the patients list shown through the
// real list forms on a practice of 20,300 patients and 200,000 charges, and one edited row
// merged back (the path of Ok in an edit dialog); last, a post of its Ready charges and an
// archive of its older ones. Each figure includes painting the list once.
// peak_rss_MB is the process's peak resident memory so far (getrusage).
#include "AppGlobals.h"
#include "BigPractice.h"
#include "DatePicker.h"
#include "JetConnection.h"
#include "Messages.h"
#include "ModalDialogs.h"
#include "frmArchiveCharges.h"
#include "frmCharges.h"
#include "frmPatients.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <functional>
#include <memory>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_big_practice";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

// Stands in for the main window where a list reads FiltroActual and calls ActivaFiltro.
class MainFormStandIn : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint16 FiltroActual MEMBER FiltroActual)
public:
    qint16 FiltroActual = 0;
    Q_INVOKABLE void ActivaFiltro(qint16) {}
};

// The practice and the stand-in main window, made once for all runs.
struct Practice {
    Practice()
    {
        application();
        Globals().MainForm = &mainForm;
    }
    BigPractice database;
    MainFormStandIn mainForm;
};

Practice& practice()
{
    static Practice* instance = new Practice;
    return *instance;
}

void reportPeakMemory(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}

template <typename Form>
void showAndPaint(Form& form)
{
    form.repaint();
    QApplication::processEvents();
}

// The charges list on every date under the view All, as a clerk opens it and turns the date
// filter to "All".
std::unique_ptr<frmCharges> openChargesList()
{
    practice().mainForm.FiltroActual = 0;
    auto form = std::make_unique<frmCharges>();
    form->resize(1200, 800);
    form->show();
    form->template findChild<QRadioButton*>("optAllDates")->setChecked(true);
    return form;
}

void BM_ChargesView(benchmark::State& state)
{
    Practice& shared = practice();
    auto form = openChargesList();
    const auto view = qint16(state.range(0));
    for (auto _ : state) {
        // From another view each time, as a clerk switches views.
        state.PauseTiming();
        shared.mainForm.FiltroActual = view == 13 ? 0 : 13;
        form->Refresca();
        shared.mainForm.FiltroActual = view;
        state.ResumeTiming();
        form->Refresca();
        showAndPaint(*form);
    }
    state.counters["rows"] = double(form->List()->topLevelItemCount());
    reportPeakMemory(state);
}
BENCHMARK(BM_ChargesView)->ArgName("view")->Arg(0)->Arg(4)->Arg(5)->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(3);

// A view read again while it is shown (the Refresh button on the Archived view): the rows
// shown stay until the new ones are read, so this is where memory peaks.
void BM_ChargesViewReread(benchmark::State& state)
{
    Practice& shared = practice();
    auto form = openChargesList();
    shared.mainForm.FiltroActual = qint16(state.range(0));
    form->Refresca();
    showAndPaint(*form);
    for (auto _ : state) {
        form->Refresca();
        showAndPaint(*form);
    }
    state.counters["rows"] = double(form->List()->topLevelItemCount());
    reportPeakMemory(state);
}
BENCHMARK(BM_ChargesViewReread)->ArgName("view")->Arg(13)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PatientsList(benchmark::State& state)
{
    Practice& shared = practice();
    shared.mainForm.FiltroActual = qint16(state.range(0));
    frmPatients form;
    form.resize(1200, 800);
    form.show();
    for (auto _ : state) {
        form.Refresca();
        showAndPaint(form);
    }
    state.counters["rows"] = double(form.List().topLevelItemCount());
    reportPeakMemory(state);
}
BENCHMARK(BM_PatientsList)->ArgName("filter")->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ok in the charge editor on a charge in the middle of the Archived view (173,156 rows).
void BM_ChargeMerge(benchmark::State& state)
{
    Practice& shared = practice();
    auto form = openChargesList();
    shared.mainForm.FiltroActual = 13;
    form->Refresca();
    Recordset& charges = *form->Records();
    charges.SetAbsolutePosition(charges.RecordCount() / 2);
    AppGlobals& globals = Globals();
    globals.CurrentPatientId = qint16(charges.Field("PatientId").toInt());
    globals.CurrentChargeDate = charges.Field("ChargeDate").toDate();
    globals.CurrentChargeTime = charges.Field("ChargeTime").toTime();
    for (auto _ : state) {
        form->Insertado();
        showAndPaint(*form);
    }
    if (form->List()->selectedItems().size() != 1 ||
        form->Records()->RecordCount() != BigPractice::kArchived)
        state.SkipWithError("the charge was not merged in place");
    state.counters["rows"] = double(form->List()->topLevelItemCount());
    reportPeakMemory(state);
}
BENCHMARK(BM_ChargeMerge)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Ok in the patient editor on a patient in the middle of the whole list.
void BM_PatientMerge(benchmark::State& state)
{
    Practice& shared = practice();
    shared.mainForm.FiltroActual = 0;
    frmPatients form;
    form.resize(1200, 800);
    form.show();
    form.Refresca();
    Globals().CurrentPatientId = qint16(BigPractice::kPatients / 2);
    for (auto _ : state) {
        form.Insertado();
        showAndPaint(form);
    }
    if (form.List().selectedItems().size() != 1 || form.Rows()->RecordCount() != BigPractice::kPatients)
        state.SkipWithError("the patient was not merged in place");
    reportPeakMemory(state);
}
BENCHMARK(BM_PatientMerge)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Posting and archiving hold the database's write lock for their whole transaction; other
// clerks and HotSyncs wait for it up to the busy time-out of 5 seconds. Both change the
// practice, so they come last and run once.

qint64 chargesWithStatus(int status)
{
    jet::Rows rows;
    std::string error;
    Globals().DbConnection->query("SELECT COUNT(*) FROM PatientCharges WHERE Status = " + std::to_string(status),
                                  rows, error);
    return rows.rows.empty() ? -1 : std::get<std::int64_t>(rows.rows[0][0]);
}

// Runs the operation with every dialog answering "Post" or "Archive" (no printing after a
// post); answers the messages shown.
QStringList withDialogsConfirmed(const std::function<void()>& operation)
{
    QStringList messages;
    const ModalDialogHandler previousDialogs = SetModalDialogHandler([](QDialog& dialog) {
        if (auto* print = dialog.findChild<QCheckBox*>("chkPrint"))
            print->setChecked(false);
        dialog.findChild<QPushButton*>("OKButton")->click();
        return dialog.result();
    });
    const MessageHandler previousMessages = SetMessageHandler([&messages](const QString& text, MessageButtons) {
        messages << text;
        return MessageAnswer::Ok;
    });
    operation();
    SetModalDialogHandler(previousDialogs);
    SetMessageHandler(previousMessages);
    return messages;
}

// "Post" on the view All: its 4,000 Ready charges in one lot.
void BM_PostReadyCharges(benchmark::State& state)
{
    auto form = openChargesList();
    form->Refresca();
    QStringList messages;
    for (auto _ : state)
        messages = withDialogsConfirmed([&form] { form->Post(); });
    if (!messages.isEmpty() || chargesWithStatus(0) != 0)
        state.SkipWithError("the lot was not posted whole");
    state.counters["charges"] = double(BigPractice::kReady);
}
BENCHMARK(BM_PostReadyCharges)->Unit(benchmark::kMillisecond)->Iterations(1);

// "Archive" until a date after every charge: all but each patient's latest.
void BM_ArchiveCharges(benchmark::State& state)
{
    practice();
    const qint64 before = chargesWithStatus(2);
    QStringList messages;
    for (auto _ : state) {
        frmArchiveCharges dialog;
        dialog.findChild<DatePicker*>("DTPicker1")->setDate(QDate(2100, 1, 1));
        messages = withDialogsConfirmed([&dialog] { dialog.findChild<QPushButton*>("OKButton")->click(); });
    }
    if (messages != QStringList({"Process ended successfully"}))
        state.SkipWithError("the archive failed");
    state.counters["charges"] = double(chargesWithStatus(2) - before);
}
BENCHMARK(BM_ArchiveCharges)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

#include "bench_big_practice.moc"
