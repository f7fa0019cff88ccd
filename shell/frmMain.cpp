#include "frmMain.h"

#include "AppGlobals.h"
#include "ApplicationTitle.h"
#include "ContentSizing.h"
#include "PrinterPage.h"
#include "Twips.h"
#include "UserSettings.h"
#include "frmBanner.h"
#include "frmShorcuts.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

const char* const kApplication = "Vantora";
const char* const kSection = "Settings";
constexpr int kPaneWidthTwips = 2700;
// What stays of the child beside the widest pane, and the narrowest pane.
constexpr int kChildMinimumTwips = 1500;
constexpr int kPaneMinimumTwips = 600;

double numberSetting(const char* key, double defaultValue)
{
    bool ok = false;
    const double value = GetSetting(kApplication, kSection, key, QString::number(defaultValue)).trimmed().toDouble(&ok);
    return ok ? value : defaultValue;
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmMain");
    setWindowTitle(kApplicationTitle);
    Globals().MainForm = this;

    clientArea_ = new QWidget(this);
    clientArea_->setObjectName("ClientArea");
    clientArea_->installEventFilter(this);
    setCentralWidget(clientArea_);
    banner_ = new frmBanner(clientArea_);
    shortcuts_ = new frmShorcuts(clientArea_);
    // The pane opens wide enough for its longest node, or as wide as the user left it.
    const int fittingWidth = std::max(TwipsToPixels(kPaneWidthTwips), shortcuts_->FittingWidth());
    const double paneWidth = numberSetting("ShortcutWidth", PixelsToTwips(fittingWidth));
    shortcuts_->resize(TwipsToPixels(paneWidth), shortcuts_->height());
    connect(shortcuts_, &frmShorcuts::ViewChosen, this, &frmMain::CambiaAVista);
    connect(shortcuts_, &frmShorcuts::CloseRequested, this, &frmMain::CerrarShortcut);
    connect(shortcuts_, &frmShorcuts::WidthDragged, this, &frmMain::setPaneWidth);

    buildMenus();
    buildToolbar();
    buildStatusBar();

    BannerHeight = 500;
    loadPageSize();
    paneShown_ = qint16(numberSetting("Shortcut", 1));
    restorePlacement();
    goToMenu_->menuAction()->setVisible(false);
    if (paneShown_ == 0)
        CerrarShortcut();  // the stored choice is to work without the pane
    VistaActual = -1;
    FiltroActual = -1;
    openStartView();
}

frmMain::~frmMain()
{
    // Child forms unload while the main window they read from still exists.
    for (QWidget* child : std::as_const(childForms_))
        delete child;
    childForms_.clear();
    activeChild_ = nullptr;
    if (Globals().MainForm == this)
        Globals().MainForm = nullptr;
}

void frmMain::loadPageSize()
{
    AppGlobals& globals = Globals();
    globals.PrintPageWidth = 8.5f;
    globals.PrintPageHeight = 11.0f;
    printer_ = DefaultPrinter();
    if (printer_)
        PrinterPageSize(*printer_, globals.PrintPageWidth, globals.PrintPageHeight);
}

void frmMain::restorePlacement()
{
    move(TwipsToPixels(numberSetting("MainLeft", 1000)), TwipsToPixels(numberSetting("MainTop", 1000)));
    resize(TwipsToPixels(numberSetting("MainWidth", 6500)), TwipsToPixels(numberSetting("MainHeight", 6500)));
    keepOnScreen();
}

void frmMain::keepOnScreen()
{
    // A place stored on a screen that is gone (or edited by hand) would open the window
    // where nobody can reach it: its title bar must lie on some screen.
    const QRect titleBar(pos(), QSize(width(), fontMetrics().height() * 2));
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(titleBar))
            return;
    }
    const QRect area = AvailableScreenArea(*this);
    resize(size().boundedTo(area.size()));
    move(std::clamp(x(), area.left(), area.right() + 1 - width()),
         std::clamp(y(), area.top(), area.bottom() + 1 - height()));
}

void frmMain::setPaneWidth(int width)
{
    const int narrowest = TwipsToPixels(kPaneMinimumTwips);
    const int widest = std::max(narrowest, clientArea_->width() - TwipsToPixels(kChildMinimumTwips));
    shortcuts_->resize(std::clamp(width, narrowest, widest), shortcuts_->height());
    Layout();
}

void frmMain::openStartView()
{
    const auto view = qint16(numberSetting("ActiveView", 0));
    const auto filter = qint16(numberSetting("ActiveFilter", 0));
    // A pair without a node (settings edited by hand) starts on the charges instead.
    if (!shortcuts_->FuerzaNodeClick(view, filter))
        shortcuts_->FuerzaNodeClick(0, 0);
}

int frmMain::PaneWidth() const
{
    return shortcuts_->width();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == clientArea_ && event->type() == QEvent::Resize)
        Layout();
    if (watched == activeChild_ && event->type() == QEvent::WindowTitleChange)
        showChildCaption();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Layout()
{
    const int bannerHeight = TwipsToPixels(BannerHeight);
    const int width = clientArea_->width();
    const int height = clientArea_->height();
    if (BannerHeight > 0)
        banner_->setGeometry(0, 0, width, bannerHeight);
    if (paneShown_ > 0)
        shortcuts_->setGeometry(0, bannerHeight, PaneWidth(), qMax(0, height - bannerHeight));
    placeChild(paneShown_ != 0);
}

void frmMain::placeChild(bool besidePane)
{
    if (!activeChild_)
        return;
    const int bannerHeight = TwipsToPixels(BannerHeight);
    const int left = besidePane ? PaneWidth() : 0;
    activeChild_->setGeometry(left, bannerHeight, qMax(0, clientArea_->width() - left),
                              qMax(0, clientArea_->height() - bannerHeight));
}

void frmMain::showChildCaption()
{
    // The child fills the frame, so its caption (a web page's name, "Working...") shows in
    // the frame's title.
    const QString caption = activeChild_ ? activeChild_->windowTitle() : QString();
    setWindowTitle(caption.isEmpty() ? QString(kApplicationTitle) : QString(kApplicationTitle) + " - " + caption);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    storeSettings();
    QMainWindow::closeEvent(event);
}

void frmMain::storeSettings()
{
    if (!isMinimized()) {
        SaveSetting(kApplication, kSection, "MainLeft", QString::number(PixelsToTwips(x())));
        SaveSetting(kApplication, kSection, "MainTop", QString::number(PixelsToTwips(y())));
        SaveSetting(kApplication, kSection, "MainWidth", QString::number(PixelsToTwips(width())));
        SaveSetting(kApplication, kSection, "MainHeight", QString::number(PixelsToTwips(height())));
    }
    SaveSetting(kApplication, kSection, "ShortcutWidth", QString::number(PixelsToTwips(PaneWidth())));
    SaveSetting(kApplication, kSection, "ActiveView", QString::number(VistaActual));
    SaveSetting(kApplication, kSection, "ActiveFilter", QString::number(FiltroActual));
}

QAction* frmMain::GoToItem(int view) const
{
    return goToItems_.value(view);
}

QAction* frmMain::CurrentViewItem(int filter) const
{
    return filterItems_.value(filter);
}

QAction* frmMain::ToolbarButton(const QString& key) const
{
    return buttons_.value(key);
}
