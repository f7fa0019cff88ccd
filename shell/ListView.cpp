#include "ListView.h"

#include "ContentSizing.h"
#include "Twips.h"

#include <QHeaderView>
#include <QKeyEvent>

ListView::ListView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName("ListView1");
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnCount(0);
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    // A column shrunk to nothing is how a list hides it.
    header()->setMinimumSectionSize(0);
}

void ListView::AddColumn(const QString& key, const QString& caption, double widthTwips)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    headerItem()->setText(column, caption);
    headerItem()->setData(column, KeyRole, key);
    SetColumnWidth(column, widthTwips);
    // A default width never cuts the heading; a column added at 0 stays hidden.
    if (widthTwips > 0 && header()->sectionSize(column) < HeadingWidth(*this, column))
        header()->resizeSection(column, HeadingWidth(*this, column));
}

QString ListView::ColumnKey(int column) const
{
    return headerItem()->data(column, KeyRole).toString();
}

int ListView::ColumnPosition(int column) const
{
    return header()->visualIndex(column) + 1;
}

void ListView::SetColumnPosition(int column, int position)
{
    if (column < 0 || column >= columnCount() || position < 1 || position > columnCount())
        return;
    header()->moveSection(header()->visualIndex(column), position - 1);
}

double ListView::ColumnWidth(int column) const
{
    return PixelsToTwips(header()->sectionSize(column));
}

void ListView::SetColumnWidth(int column, double widthTwips)
{
    header()->resizeSection(column, TwipsToPixels(widthTwips < 0 ? 0 : widthTwips));
}

int ListView::ColumnWithKey(const QString& key) const
{
    for (int column = 0; column < columnCount(); ++column) {
        if (ColumnKey(column) == key)
            return column;
    }
    return -1;
}

void ListView::SetCheckBoxes(bool shown)
{
    checkBoxes_ = shown;
}

QString ListView::ItemKey(const QTreeWidgetItem& item)
{
    return item.data(0, KeyRole).toString();
}

void ListView::SetItemKey(QTreeWidgetItem& item, const QString& key)
{
    item.setData(0, KeyRole, key);
}

QString ListView::SubItemKey(const QTreeWidgetItem& item, int column)
{
    return item.data(column, KeyRole).toString();
}

void ListView::SetSubItemKey(QTreeWidgetItem& item, int column, const QString& key)
{
    item.setData(column, KeyRole, key);
}

void ListView::SetItemChecked(QTreeWidgetItem& item, bool checked) const
{
    if (checkBoxes_)
        item.setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

bool ListView::IsItemChecked(const QTreeWidgetItem& item)
{
    return item.data(0, Qt::CheckStateRole).toInt() == Qt::Checked;
}

QTreeWidgetItem* ListView::FindItem(const QString& key) const
{
    for (int index = 0; index < topLevelItemCount(); ++index) {
        QTreeWidgetItem* item = topLevelItem(index);
        if (ItemKey(*item) == key)
            return item;
    }
    return nullptr;
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit EnterPressed();
    else if (event->key() == Qt::Key_Delete)
        emit DeletePressed();
    QTreeWidget::keyPressEvent(event);
}
