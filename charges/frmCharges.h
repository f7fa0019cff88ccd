#pragma once
#include "ChargeKey.h"
#include "ListView.h"
#include "Recordset.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QWidget>
#include <QtGlobal>

struct AppGlobals;
class DatePicker;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

// The charges list, child form of the "Charges" view: the charges of one status view, narrowed
// by five filter frames (dates, patient, insurance, doctor, print lot) stacked above the list.
// Creating it loads it: column layout and saved filter restored, the date filter on today.
// The patient, insurance and doctor filters keep their own record, the one their box names:
// other forms change the current-record globals, never what this list shows.
class frmCharges : public QWidget {
    Q_OBJECT
public:
    explicit frmCharges(QWidget* parent = nullptr);
    ~frmCharges() override;

    // Operations the main window calls by name.
    Q_INVOKABLE void Refresca();
    Q_INVOKABLE void Insertado();
    Q_INVOKABLE void Eliminar();
    Q_INVOKABLE void Post();
    Q_INVOKABLE void Imprimir();

    // The exchange with the post dialog. The count is kept in 32 bits so that a list of more
    // Ready charges than a 16-bit count holds still posts and shows its true number.
    qint32 ChargesToPost = 0;
    qint32 PostLotNumber = 0;
    qint16 PrintAfterPost = 0;

    // The view filter of the last reload (0 All, 4 Ready, 5 Posted, 13 Archived).
    qint16 ActiveFilter() const { return filter_; }
    const RecordsetPtr& Records() const { return records_; }
    ListView* List() const { return ListView1; }

    // The SELECT text the list opens for the view filter and the active criteria; empty for a
    // filter the list does not show.
    QString QueryText(qint16 filter) const;

public slots:
    // Edits the selected charge in the charge editor and merges it back when it was stored.
    void ListView1DblClick();
    // Re-sorts the list by the clicked column, which moves to the front of the sort.
    void ListView1ColumnClick(int column);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The patient, insurance or doctor filter: the record it narrows the list to, named in its
    // box; 0 until one is taken.
    struct RecordFilter {
        QString pickerName;
        qint16 AppGlobals::*picked;  // the picker's answer
        qint16 AppGlobals::*current;  // the program's current record of this kind
        RecordsetPtr (*read)(qint16);
        QString shownField;
        QLineEdit* text = nullptr;
        qint16 code = 0;
    };

    // Building and load (frmCharges.cpp).
    void buildFilterFrames();
    void buildFilterArea();
    void buildList();
    void connectFilters();
    void load();
    void unload();

    // Filters (frmChargesFilters.cpp).
    void dateOptionChosen(bool between);
    void lotOptionChosen(bool selected);
    void columnFilterChosen(const QString& columnKey, double& savedWidth, RecordFilter& filter, QPushButton* search,
                            bool selected);
    // Picks a record through the filter's picker and filters on it when it is another one.
    void search(RecordFilter& filter);
    // Names the record in the filter's box and filters on it; false when it cannot be read.
    bool takeRecord(RecordFilter& filter, qint16 code);

    // Posting (frmChargesPost.cpp). Posts the lot; false, with one message, when nothing was.
    bool postLot(const QList<ChargeKey>& ready, QList<ChargeKey>& posted);
    // Marks the rows posted here and shows the stored state of the other listed ones that are
    // not known to be unchanged. A charge deleted meanwhile leaves the list.
    void showStoredCharges(const QList<ChargeKey>& listed, const QList<ChargeKey>& posted,
                           const QSet<ChargeKey>& unchanged);
    // Reads the current row's charge again; false after a failure, which is shown.
    bool showStoredCharge(const ChargeKey& key);

    // Print choice (frmChargesPrint.cpp).
    QString subtitle() const;
    QString viewName() const;
    void columnSpecifications(QString& headings, QString& keys) const;

    RecordsetPtr records_;
    qint16 filter_ = 0;
    bool FiltersReady = false;
    double SavedPatientColumnWidth = 0;
    double SavedInsuranceColumnWidth = 0;
    double SavedDoctorColumnWidth = 0;
    RecordFilter patientFilter_;
    RecordFilter insuranceFilter_;
    RecordFilter doctorFilter_;

    // The frames lie in an area that scrolls sideways when the form is narrower than they are.
    QScrollArea* filterArea_ = nullptr;
    int filtersMinimumWidth_ = 0;
    QFrame* frmFiltroFechas = nullptr;
    QFrame* frmFiltroPaciente = nullptr;
    QFrame* frmFiltroSeguro = nullptr;
    QFrame* frmFiltroDoctor = nullptr;
    QFrame* frmFiltroLote = nullptr;
    QRadioButton* optAllDates = nullptr;
    QRadioButton* optSelectedDates = nullptr;
    QRadioButton* optAllPatients = nullptr;
    QRadioButton* optSelectedPatients = nullptr;
    QRadioButton* optAllInsurances = nullptr;
    QRadioButton* optSelectedInsurances = nullptr;
    QRadioButton* optAllDoctors = nullptr;
    QRadioButton* optSelectedDoctors = nullptr;
    QRadioButton* optAllLots = nullptr;
    QRadioButton* optSelectedLot = nullptr;
    DatePicker* DTPicker1 = nullptr;
    DatePicker* DTPicker2 = nullptr;
    QLineEdit* TxtPatient = nullptr;
    QLineEdit* TxtInsurance = nullptr;
    QLineEdit* TxtDoctor = nullptr;
    QLineEdit* TxtLotNumber = nullptr;
    QPushButton* btnGo = nullptr;
    QPushButton* btnGo2 = nullptr;
    QPushButton* btnSearchPatient = nullptr;
    QPushButton* btnSearchInsurance = nullptr;
    QPushButton* btnSearchDoctor = nullptr;
    ListView* ListView1 = nullptr;
};

// The lot proposed for a post on `day`: year x 100000 + month x 1000 + day x 10 + 1.
qint32 ProposedLotNumber(const QDate& day);

