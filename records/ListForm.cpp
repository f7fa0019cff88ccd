#include "ListForm.h"

#include "ApoyoImpresion.h"
#include "ApplicationTitle.h"
#include "BusyCursor.h"
#include "AsisRutinasRecordsets.h"
#include "FormRegistry.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "UserSettings.h"
#include "ViewerCommandLine.h"

#include <QHeaderView>
#include <QMetaObject>

#include <algorithm>
#include <cmath>

namespace {

const QString kActiveFilter = QStringLiteral("ActiveFilter");

qint16 mainWindowFilter()
{
    QObject* mainForm = Globals().MainForm;
    return mainForm ? qint16(mainForm->property("FiltroActual").toInt()) : qint16(0);
}

void checkMainWindowFilter(qint16 filter)
{
    if (QObject* mainForm = Globals().MainForm)
        QMetaObject::invokeMethod(mainForm, "ActivaFiltro", Qt::DirectConnection, Q_ARG(qint16, filter));
}

}  // namespace

ListForm::ListForm(ListFormParameters parameters, QWidget* parent)
    : QWidget(parent), parameters_(std::move(parameters)), list_(new ListView(this))
{
    setObjectName(parameters_.formName);
    setWindowTitle(parameters_.caption);
    for (const ListColumn& column : parameters_.columns)
        list_->AddColumn(column.key, column.caption, column.widthTwips);
    list_->header()->setSectionsClickable(true);
    connect(list_->header(), &QHeaderView::sectionClicked, this, &ListForm::columnClicked);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &ListForm::itemDoubleClicked);
    // The keyboard does what the mouse and the toolbar do.
    connect(list_, &ListView::EnterPressed, this, &ListForm::itemDoubleClicked);
    connect(list_, &ListView::DeletePressed, this, &ListForm::Eliminar);
    load();
}

ListForm::~ListForm()
{
    unload();
}

void ListForm::load()
{
    LoadColumnSettings(*list_, parameters_.settingsSection);
    // A stored filter that is no number counts as the first filter.
    filterMember_ = qint16(GetSetting(kApplicationTitle, parameters_.settingsSection, kActiveFilter, "0").toInt());
    checkMainWindowFilter(filterMember_);
}

void ListForm::unload()
{
    SaveColumnSettings(*list_, parameters_.settingsSection);
    releaseRows();
    if (parameters_.savesActiveFilter)
        SaveSetting(kApplicationTitle, parameters_.settingsSection, kActiveFilter, QString::number(filterMember_));
}

void ListForm::releaseRows()
{
    rows_.reset();
}

void ListForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    list_->setGeometry(contentsRect());
}

bool ListForm::queryOfFilter(qint16 filter, QString& sql, QString& initialSort) const
{
    for (const ListFilter& candidate : parameters_.filters) {
        if (candidate.number == filter) {
            sql = candidate.sql;
            initialSort = candidate.initialSort;
            return true;
        }
    }
    return false;
}

void ListForm::Refresca()
{
    BusyCursor busy;
    releaseRows();
    filterMember_ = mainWindowFilter();
    QString sql;
    QString initialSort;
    if (!queryOfFilter(filterMember_, sql, initialSort))
        return;
    QString error;
    if (OpenRecordset(rows_, sql, error) != 0) {
        ShowMessage(error);
        return;
    }
    rows_->SetSort(initialSort);
    FillListView(*list_, *rows_);
}

void ListForm::refill()
{
    if (rows_)
        FillListView(*list_, *rows_);
}

void ListForm::columnClicked(int column)
{
    if (!rows_)
        return;
    BusyCursor busy;
    const QString sort = SortAfterColumnClick(rows_->Sort(), list_->ColumnKey(column), parameters_.delimitedSortKeys);
    if (!rows_->SetSort(sort))
        ShowMessage(rows_->LastError());
    FillListView(*list_, *rows_);
}

bool ListForm::positionOn(const QTreeWidgetItem& item)
{
    return rows_ && rows_->SetAbsolutePosition(ListItemPosition(ListView::ItemKey(item)));
}

QList<QTreeWidgetItem*> ListForm::selectedItemsFromLast() const
{
    QList<QTreeWidgetItem*> selected;
    for (int index = list_->topLevelItemCount() - 1; index >= 0; --index) {
        QTreeWidgetItem* item = list_->topLevelItem(index);
        if (item->isSelected())
            selected.append(item);
    }
    return selected;
}

void ListForm::takeCurrentCode()
{
    parameters_.currentCode.write(rows_->Field(parameters_.keyField).toInt());
}

void ListForm::itemDoubleClicked()
{
    QTreeWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) {
        const QList<QTreeWidgetItem*> selected = list_->selectedItems();
        item = selected.isEmpty() ? nullptr : selected.first();
    }
    if (!item || !positionOn(*item))
        return;
    takeCurrentCode();
    ShowDialogByName(parameters_.editDialog, this);
    if (Globals().DialogAccepted)
        Insertado();
}

void ListForm::Insertado()
{
    RefreshListRow(rows_, parameters_.rowQuery,
                   parameters_.keyField + "=" + QString::number(parameters_.currentCode.read()), *list_);
}

qint16 ListForm::deleteCurrentRecord(QString& error)
{
    return parameters_.deleteRoutine(parameters_.currentCode.read(), error);
}

void ListForm::Eliminar()
{
    if (ShowMessage(parameters_.deletePrompt, MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    for (QTreeWidgetItem* item : selectedItemsFromLast()) {
        if (!positionOn(*item))
            continue;
        takeCurrentCode();
        QString error;
        if (deleteCurrentRecord(error) != 0)
            ShowMessage(error);
        else
            rows_->Delete();
    }
    refill();
    update();
}

QString ListForm::reportTitle() const
{
    QString name;
    for (const ListFilter& filter : parameters_.filters) {
        if (filter.number == filterMember_)
            name = filter.reportName;
    }
    return parameters_.reportTitlePrefix + name + ")";
}

void ListForm::Imprimir()
{
    if (!rows_)
        return;
    // Columns in the order shown; a column shrunk to nothing is left out.
    std::vector<std::pair<int, int>> shown;  // (position, column)
    for (int column = 0; column < list_->columnCount(); ++column)
        shown.emplace_back(list_->ColumnPosition(column), column);
    std::sort(shown.begin(), shown.end());
    QString headings;
    QString fields;
    for (const auto& [position, column] : shown) {
        const int widthTwips = int(std::lround(list_->ColumnWidth(column)));
        if (widthTwips <= 0)
            continue;
        const QString width = ColumnSpecificationWidth(widthTwips);
        headings += list_->headerItem()->text(column) + "," + width + ";";
        fields += list_->ColumnKey(column) + "," + width + ";";
    }
    QString error;
    BusyCursor busy(kPrintingStatus);
    if (!PrintRecordset(*rows_, ViewFilePath(parameters_.viewFileName), Globals().PrintPageWidth,
                        Globals().PrintPageHeight, Globals().ReportHeading, reportTitle(), QString(), headings,
                        fields, error))
        ShowMessage(error);
}
