#include "ContentSizing.h"

#include "DatePicker.h"

#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Room for a description as clerks type them, even while the box is still empty.
constexpr int kTypicalTextCharacters = 32;
constexpr int kListRows = 6;

void fitTextBox(QLineEdit& box, int widthLimit)
{
    const QFontMetrics metrics = box.fontMetrics();
    // The box's own hint is 17 x's plus its frame and margins: keep those, change the text room.
    const int padding = box.sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    const int textRoom =
        std::max(metrics.horizontalAdvance(box.text()), kTypicalTextCharacters * metrics.averageCharWidth());
    box.setMinimumWidth(std::min(textRoom + padding, widthLimit));
}

void fitList(QTreeWidget& list, int widthLimit)
{
    FitColumnsToContents(list);
    const QHeaderView& header = *list.header();
    int columnsWidth = 0;
    for (int column = 0; column < header.count(); ++column)
        columnsWidth += header.isSectionHidden(column) ? 0 : header.sectionSize(column);
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    // QTreeView hides the size hints that every item view offers.
    const QAbstractItemView& view = list;
    const int rowHeight = std::max(view.sizeHintForRow(0), list.fontMetrics().height() + 4);
    list.setMinimumSize(std::min(columnsWidth + frame + scrollBar, widthLimit),
                        header.sizeHint().height() + kListRows * rowHeight + frame);
    // As the dialog grows, its last column takes the room (unless it is a hidden one).
    if (header.count() > 0 && header.sectionSize(header.logicalIndex(header.count() - 1)) > 0)
        list.header()->setStretchLastSection(true);
}

}  // namespace

int HeadingWidth(const QTreeWidget& list, int column)
{
    const QHeaderView& header = *list.header();
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.section = column;
    option.text = list.headerItem()->text(column);
    option.sortIndicator = QStyleOptionHeader::SortDown;
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width();
}

void FitColumnsToContents(QTreeWidget& list)
{
    QHeaderView& header = *list.header();
    const QAbstractItemView& view = list;
    for (int column = 0; column < header.count(); ++column) {
        // A column of no width is a hidden one.
        if (header.sectionSize(column) <= 0)
            continue;
        const int wanted = std::max(HeadingWidth(list, column), view.sizeHintForColumn(column));
        if (wanted > header.sectionSize(column))
            header.resizeSection(column, wanted);
    }
}

QRect AvailableScreenArea(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void FitDialogToContents(QDialog& dialog)
{
    const QSize screen = AvailableScreenArea(dialog).size();
    const int widthLimit = screen.width() * 3 / 4;
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
        // A date field keeps the room of a whole date; it is never squeezed to cut the year.
        if (qobject_cast<DatePicker*>(box))
            box->setMinimumWidth(box->sizeHint().width());
        // The editor inside a combo sizes with its owner.
        else if (!qobject_cast<QComboBox*>(box->parentWidget()))
            fitTextBox(*box, widthLimit);
    }
    for (QTreeWidget* list : dialog.findChildren<QTreeWidget*>())
        fitList(*list, widthLimit);
    // A size the dialog chose for itself stays when it is larger.
    const QSize chosen = dialog.testAttribute(Qt::WA_Resized) ? dialog.size() : QSize();
    dialog.resize(chosen.expandedTo(dialog.sizeHint()).boundedTo(screen));
}
