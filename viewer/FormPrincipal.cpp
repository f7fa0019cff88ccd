#include "FormPrincipal.h"

#include "Badges.h"
#include "PageSurface.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 200;  // twips of grey shown left of and above the sheet
const QSize kSurfaceSize(840, 600);

struct ToolbarButton {
    const char* tag;
    const char* text;
    QStyle::StandardPixmap icon;
};

constexpr ToolbarButton kButtons[] = {
    {"TAGOPEN", "Open", QStyle::SP_DialogOpenButton},
    {"TAGEXPORT", "Export", QStyle::SP_DialogSaveButton},
    {"TAGPRINT", "Print", QStyle::SP_FileDialogContentsView},
    {"TAGPORTRAIT", "Portrait", QStyle::SP_ArrowBack},
    {"TAGLANDSCAPE", "Landscape", QStyle::SP_ArrowForward},
};

QScrollBar* scrollBar(Qt::Orientation orientation, const char* name, int maximum, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, maximum);
    bar->setSingleStep(100);
    bar->setPageStep(1000);
    return bar;
}

// What the user is told about a file that could not be loaded whole.
QString loadFailure(const QString& path) {
    QString text = QStringLiteral("Problemas al abrir ") + path;
    if (!Badges::LoadProblem.isEmpty())
        text += QStringLiteral("\n\n") + Badges::LoadProblem + QStringLiteral("\nThe report is not shown.");
    return text;
}

}  // namespace

FormPrincipal::FormPrincipal(const QString& commandLine, QWidget* parent)
    : QWidget(parent),
      PicPagina(new PageSurface(kSurfaceSize, this)),
      HScroll1(scrollBar(Qt::Horizontal, "HScroll1", 12000, this)),
      VScroll1(scrollBar(Qt::Vertical, "VScroll1", 16240, this)),
      Toolbar3(new QToolBar(this)) {
    setObjectName(QStringLiteral("FormPrincipal"));
    PicPagina->setObjectName(QStringLiteral("PicPagina"));
    Toolbar3->setObjectName(QStringLiteral("Toolbar3"));
    Toolbar3->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolbarButton& button : kButtons) {
        QAction* action = Toolbar3->addAction(style()->standardIcon(button.icon), QLatin1String(button.text));
        action->setData(QLatin1String(button.tag));
    }
    connect(Toolbar3, &QToolBar::actionTriggered, this,
            [this](QAction* action) { Toolbar3_ButtonClick(action->data().toString()); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        PicPagina->setScaleLeft(value - kMargin);
        ShowPage();
    });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int value) {
        PicPagina->setScaleTop(value - kMargin);
        ShowPage();
    });

    auto* pageArea = new QGridLayout;
    pageArea->setSpacing(0);
    pageArea->addWidget(PicPagina, 0, 0);
    pageArea->addWidget(VScroll1, 0, 1);
    pageArea->addWidget(HScroll1, 1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Toolbar3);
    layout->addLayout(pageArea);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
    Badges::CurrentPage = 1;
    setWindowTitle(QStringLiteral("Preview: ") + commandLine);
    if (!Badges::LoadViewFile(commandLine)) {
        // Part of a report must never pass for the whole of it.
        Badges::EmptyDocument();
        // A command line naming no readable file leaves the surface empty without a word; a file
        // read only in part is told once the window is up.
        if (!Badges::LoadProblem.isEmpty()) {
            const QString text = loadFailure(commandLine);
            QMetaObject::invokeMethod(this, [this, text] { showProblem(text); }, Qt::QueuedConnection);
        }
    }
    ShowPage();
}

void FormPrincipal::ShowPage() { PicPagina->drawCurrentPage(Picture1); }

void FormPrincipal::Toolbar3_ButtonClick(const QString& tag) {
    if (tag == QLatin1String("TAGPRINT")) {
        printDocument();
    } else if (tag == QLatin1String("TAGOPEN")) {
        openViewFile();
    } else if (tag == QLatin1String("TAGLANDSCAPE")) {
        if (Badges::CurrentPage < Badges::TotalPages()) {
            ++Badges::CurrentPage;
            ShowPage();
        }
    } else if (tag == QLatin1String("TAGPORTRAIT")) {
        if (Badges::CurrentPage > 1) {
            --Badges::CurrentPage;
            ShowPage();
        }
    }
}

void FormPrincipal::openViewFile() {
    QString path;
    if (!chooseViewFile(path)) return;
    if (Badges::LoadViewFile(path)) {
        Badges::CurrentPage = 1;
        ShowPage();
    } else {
        Badges::EmptyDocument();
        ShowPage();
        showProblem(loadFailure(path));
    }
}

void FormPrincipal::printDocument() {
    QPrinter printer(QPrinter::HighResolution);
    int fromPage = 1;
    int toPage = Badges::TotalPages();
    if (!choosePrintRange(printer, fromPage, toPage)) return;
    // A long report takes seconds to print; the wait cursor says the viewer is working.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Badges::PrintPages(printer, Picture1, fromPage, toPage, printer.copyCount());
    QApplication::restoreOverrideCursor();
}

bool FormPrincipal::chooseViewFile(QString& path) {
    QFileDialog CommonDialog2(this, QStringLiteral("Open Lorimand File"), QString(),
                              QStringLiteral("Lorimand files (*.lrm)"));
    CommonDialog2.setFileMode(QFileDialog::ExistingFile);
    if (CommonDialog2.exec() != QDialog::Accepted || CommonDialog2.selectedFiles().isEmpty()) return false;
    path = CommonDialog2.selectedFiles().constFirst();
    return true;
}

bool FormPrincipal::choosePrintRange(QPrinter& printer, int& fromPage, int& toPage) {
    QPrintDialog CommonDialog1(&printer, this);
    CommonDialog1.setOption(QAbstractPrintDialog::PrintPageRange, true);
    CommonDialog1.setMinMax(1, std::max(1, Badges::TotalPages()));
    if (CommonDialog1.exec() != QDialog::Accepted) return false;
    if (CommonDialog1.printRange() == QAbstractPrintDialog::PageRange) {
        fromPage = printer.fromPage();
        toPage = printer.toPage();
    }
    return true;
}

void FormPrincipal::showProblem(const QString& text) {
    QMessageBox::information(this, QString(), text, QMessageBox::Ok);
}
