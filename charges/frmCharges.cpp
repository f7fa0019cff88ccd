#include "frmCharges.h"

#include "AppGlobals.h"
#include "DatePicker.h"
#include "ListViewRoutines.h"
#include "Twips.h"
#include "UserSettings.h"
#include "VNSQLDoctors.h"
#include "VNSQLInsurances.h"
#include "VNSQLPatients.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

const char* const kApplication = "Vantora";
const char* const kSection = "Charges";

// Frames are stacked from the top, each 435 twips high, their tops 480 apart.
constexpr int kFrameHeight = 435;
constexpr int kFrameSpacing = 480;
constexpr int kListTop = 2400;
constexpr int kFrameWidth = 7700;
// Between the buttons' right edge and the frame's.
constexpr int kFrameRightMargin = kFrameWidth - 7575;

void placeTwips(QWidget* widget, double left, double top, double width, double height)
{
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

// One filter frame: its label and its two option buttons; the value controls are added by
// the caller.
QFrame* filterFrame(QWidget* form, const char* name, const QString& caption, int index, const QString& label,
                    QRadioButton*& all, const char* allName, QRadioButton*& second, const char* secondName,
                    const QString& secondCaption)
{
    auto* frame = named(new QFrame(form), name);
    frame->setAccessibleName(caption);
    placeTwips(frame, 0, index * kFrameSpacing, kFrameWidth, kFrameHeight);
    placeTwips(new QLabel(label, frame), 300, 120, 1300, 255);
    all = named(new QRadioButton("All", frame), allName);
    placeTwips(all, 1620, 90, 855, 255);
    second = named(new QRadioButton(secondCaption, frame), secondName);
    placeTwips(second, 2520, 90, 1215, 255);
    return frame;
}

QLineEdit* filterText(QFrame* frame, const char* name, bool readOnly)
{
    auto* text = named(new QLineEdit(frame), name);
    text->setReadOnly(readOnly);
    placeTwips(text, 3780, 60, 3375, 315);
    return text;
}

QPushButton* searchButton(QFrame* frame, const char* name)
{
    auto* button = named(new QPushButton(frame), name);
    button->setIcon(frame->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    placeTwips(button, 7200, 60, 315, 255);
    return button;
}

QPushButton* goButton(QFrame* frame, const char* name)
{
    auto* button = named(new QPushButton("Go", frame), name);
    placeTwips(button, 7200, 60, 375, 315);
    return button;
}

DatePicker* datePicker(QFrame* frame, const char* name, double left)
{
    auto* picker = named(new DatePicker(frame), name);
    placeTwips(picker, left, 60, 1395, 315);
    // Wide enough for a whole date beside the drop-down button, in any font.
    picker->resize(std::max(picker->width(), picker->sizeHint().width()), picker->height());
    return picker;
}

}  // namespace

frmCharges::frmCharges(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmCharges");
    setWindowTitle("Charges");
    buildFilterArea();
    buildFilterFrames();
    buildList();
    connectFilters();
    load();
}

frmCharges::~frmCharges()
{
    unload();
}

void frmCharges::buildFilterArea()
{
    filterArea_ = named(new QScrollArea(this), "FilterArea");
    filterArea_->setFrameShape(QFrame::NoFrame);
    filterArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    filterArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    filterArea_->setWidget(new QWidget);
    filterArea_->widget()->resize(TwipsToPixels(kFrameWidth), TwipsToPixels(kListTop));
}

void frmCharges::buildFilterFrames()
{
    QWidget* const filters = filterArea_->widget();
    frmFiltroFechas = filterFrame(filters, "frmFiltroFechas", "Date filter", 0, "Dates", optAllDates, "optAllDates",
                                  optSelectedDates, "optSelectedDates", "Between");
    DTPicker1 = datePicker(frmFiltroFechas, "DTPicker1", 3780);
    auto* andLabel = new QLabel("and", frmFiltroFechas);
    placeTwips(andLabel, 5340, 120, 375, 255);
    DTPicker2 = datePicker(frmFiltroFechas, "DTPicker2", 5760);
    btnGo = goButton(frmFiltroFechas, "btnGo");
    // Wider pickers push what follows them to the right.
    const int gap = TwipsToPixels(5340 - 3780 - 1395);
    andLabel->move(std::max(andLabel->x(), DTPicker1->geometry().right() + gap), andLabel->y());
    DTPicker2->move(std::max(DTPicker2->x(), andLabel->geometry().right() + gap), DTPicker2->y());
    btnGo->move(std::max(btnGo->x(), DTPicker2->geometry().right() + gap), btnGo->y());

    frmFiltroPaciente = filterFrame(filters, "frmFiltroPaciente", "Patient filter", 1, "Patients", optAllPatients,
                                    "optAllPatients", optSelectedPatients, "optSelectedPatients", "Selected");
    TxtPatient = filterText(frmFiltroPaciente, "TxtPatient", true);
    btnSearchPatient = searchButton(frmFiltroPaciente, "btnSearchPatient");

    frmFiltroSeguro = filterFrame(filters, "frmFiltroSeguro", "Insurance filter", 2, "Insurances", optAllInsurances,
                                  "optAllInsurances", optSelectedInsurances, "optSelectedInsurances", "Selected");
    TxtInsurance = filterText(frmFiltroSeguro, "TxtInsurance", true);
    btnSearchInsurance = searchButton(frmFiltroSeguro, "btnSearchInsurance");

    frmFiltroDoctor = filterFrame(filters, "frmFiltroDoctor", "Insurance filter", 3, "Doctors", optAllDoctors,
                                  "optAllDoctors", optSelectedDoctors, "optSelectedDoctors", "Selected");
    TxtDoctor = filterText(frmFiltroDoctor, "TxtDoctor", true);
    btnSearchDoctor = searchButton(frmFiltroDoctor, "btnSearchDoctor");

    frmFiltroLote = filterFrame(filters, "frmFiltroLote", "Insurance filter", 4, "Lot Number", optAllLots,
                                "optAllLots", optSelectedLot, "optSelectedLot", "Selected");
    TxtLotNumber = filterText(frmFiltroLote, "TxtLotNumber", false);
    btnGo2 = goButton(frmFiltroLote, "btnGo2");

    for (QFrame* frame : {frmFiltroFechas, frmFiltroPaciente, frmFiltroSeguro, frmFiltroDoctor, frmFiltroLote})
        filtersMinimumWidth_ = std::max(filtersMinimumWidth_, frame->childrenRect().right() + 1);
    filtersMinimumWidth_ =
        std::max(TwipsToPixels(kFrameWidth), filtersMinimumWidth_ + TwipsToPixels(kFrameRightMargin));
}

void frmCharges::buildList()
{
    ListView1 = named(new ListView(this), "ListView1");
    const double inch = 1440;
    // Narrower than two inches, so that all seven columns show in a 1280-pixel window
    // beside the navigation pane; names and descriptions still show to a cut-off "...".
    const double description = 1.5 * inch;
    ListView1->AddColumn("ChargeRealDate", "Date", inch);
    ListView1->AddColumn("Names", "Patient", description);
    ListView1->AddColumn("EMDescription", "E & M Concept", description);
    ListView1->AddColumn("Doctor", "Doctor", description);
    ListView1->AddColumn("Facility", "Facility", description);
    ListView1->AddColumn("Insurance", "Insurance", description);
    ListView1->AddColumn("StatusDescription", "Status", inch);
    placeTwips(ListView1, 0, kListTop, 7700, 3000);
    ListView1->header()->setSectionsClickable(true);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &frmCharges::ListView1ColumnClick);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1DblClick(); });
    // The keyboard does what the mouse and the toolbar do.
    connect(ListView1, &ListView::EnterPressed, this, &frmCharges::ListView1DblClick);
    connect(ListView1, &ListView::DeletePressed, this, &frmCharges::Eliminar);
}

void frmCharges::connectFilters()
{
    // An option's handler runs when it becomes the chosen one, also when set from code.
    const auto onChosen = [this](QRadioButton* option, auto handler) {
        connect(option, &QRadioButton::toggled, this, [handler](bool checked) {
            if (checked)
                handler();
        });
    };
    onChosen(optSelectedDates, [this] { dateOptionChosen(true); });
    onChosen(optAllDates, [this] { dateOptionChosen(false); });
    onChosen(optSelectedLot, [this] { lotOptionChosen(true); });
    onChosen(optAllLots, [this] { lotOptionChosen(false); });
    patientFilter_ = {"frmPickPatient", &AppGlobals::PickedPatientId, &AppGlobals::CurrentPatientId, GetPatient,
                      "Names", TxtPatient};
    insuranceFilter_ = {"frmPickInsurance", &AppGlobals::PickedInsuranceCode, &AppGlobals::CurrentInsuranceCode,
                        GetInsurance, "Description", TxtInsurance};
    doctorFilter_ = {"frmPickDoctor", &AppGlobals::PickedDoctorCode, &AppGlobals::CurrentDoctorCode, GetDoctor,
                     "Description", TxtDoctor};
    onChosen(optSelectedPatients, [this] {
        columnFilterChosen("Names", SavedPatientColumnWidth, patientFilter_, btnSearchPatient, true);
    });
    onChosen(optAllPatients, [this] {
        columnFilterChosen("Names", SavedPatientColumnWidth, patientFilter_, btnSearchPatient, false);
    });
    onChosen(optSelectedInsurances, [this] {
        columnFilterChosen("Insurance", SavedInsuranceColumnWidth, insuranceFilter_, btnSearchInsurance, true);
    });
    onChosen(optAllInsurances, [this] {
        columnFilterChosen("Insurance", SavedInsuranceColumnWidth, insuranceFilter_, btnSearchInsurance, false);
    });
    onChosen(optSelectedDoctors, [this] {
        columnFilterChosen("Doctor", SavedDoctorColumnWidth, doctorFilter_, btnSearchDoctor, true);
    });
    onChosen(optAllDoctors, [this] {
        columnFilterChosen("Doctor", SavedDoctorColumnWidth, doctorFilter_, btnSearchDoctor, false);
    });
    connect(btnSearchPatient, &QPushButton::clicked, this, [this] { search(patientFilter_); });
    connect(btnSearchInsurance, &QPushButton::clicked, this, [this] { search(insuranceFilter_); });
    connect(btnSearchDoctor, &QPushButton::clicked, this, [this] { search(doctorFilter_); });
    connect(btnGo, &QPushButton::clicked, this, &frmCharges::Refresca);
    connect(btnGo2, &QPushButton::clicked, this, &frmCharges::Refresca);
}

void frmCharges::load()
{
    LoadColumnSettings(*ListView1, kSection);
    DTPicker1->setDate(QDate::currentDate());
    DTPicker2->setDate(QDate::currentDate());
    SavedPatientColumnWidth = ListView1->ColumnWidth(ListView1->ColumnWithKey("Names"));
    SavedInsuranceColumnWidth = ListView1->ColumnWidth(ListView1->ColumnWithKey("Insurance"));
    SavedDoctorColumnWidth = ListView1->ColumnWidth(ListView1->ColumnWithKey("Doctor"));

    FiltersReady = false;
    for (QRadioButton* option : {optSelectedDates, optAllPatients, optAllInsurances, optAllDoctors, optAllLots})
        option->setChecked(true);
    FiltersReady = true;

    filter_ = qint16(GetSetting(kApplication, kSection, "ActiveFilter", "0").toInt());
    if (QObject* mainForm = Globals().MainForm)
        QMetaObject::invokeMethod(mainForm, "ActivaFiltro", Q_ARG(qint16, filter_));
}

void frmCharges::unload()
{
    // A column hidden by its filter is stored with the width it had before.
    const auto restoreHidden = [this](const QString& key, QRadioButton* selected, double savedWidth) {
        if (selected->isChecked())
            ListView1->SetColumnWidth(ListView1->ColumnWithKey(key), savedWidth);
    };
    restoreHidden("Names", optSelectedPatients, SavedPatientColumnWidth);
    restoreHidden("Insurance", optSelectedInsurances, SavedInsuranceColumnWidth);
    restoreHidden("Doctor", optSelectedDoctors, SavedDoctorColumnWidth);
    SaveColumnSettings(*ListView1, kSection);
    records_.reset();
    SaveSetting(kApplication, kSection, "ActiveFilter", QString::number(filter_));
}

void frmCharges::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int innerWidth = width();
    const int filtersWidth = std::max(innerWidth, filtersMinimumWidth_);
    for (QFrame* frame : {frmFiltroFechas, frmFiltroPaciente, frmFiltroSeguro, frmFiltroDoctor, frmFiltroLote})
        frame->setGeometry(0, frame->y(), filtersWidth, frame->height());
    QWidget* filters = filterArea_->widget();
    filters->resize(filtersWidth, filters->height());
    // A narrow form shows the scroll bar under the frames and the list below it.
    const int scrollBarHeight = filtersWidth > innerWidth ? filterArea_->horizontalScrollBar()->sizeHint().height() : 0;
    filterArea_->setGeometry(0, 0, innerWidth, filters->height() + scrollBarHeight);
    const int top = filterArea_->height();
    ListView1->setGeometry(0, top, innerWidth, std::max(0, height() - top));
}
