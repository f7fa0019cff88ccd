#include "frmBrowser.h"

#include "Messages.h"

#include <QResizeEvent>
#include <QShowEvent>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

namespace {

// The web engine cannot confine its page processes for the superuser and would end the whole
// program instead: for the superuser alone it runs them unconfined. It reads the setting when
// its first view is made.
void letTheSuperuserRunTheWebEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QString endOfPageProcess(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode)
{
    switch (status) {
    case QWebEnginePage::AbnormalTerminationStatus:
        return QString("ended with exit code %1").arg(exitCode);
    case QWebEnginePage::CrashedTerminationStatus:
        return "crashed";
    case QWebEnginePage::KilledTerminationStatus:
        return "was killed";
    default:
        return QString();
    }
}

}  // namespace

frmBrowser::frmBrowser(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmBrowser");
    setWindowTitle("Kelmion on the Web");

    letTheSuperuserRunTheWebEngine();
    browser_ = new QWebEngineView(this);
    browser_->setObjectName("brwWebBrowser");
    connect(browser_, &QWebEngineView::loadFinished, this, [this] {
        busy_ = false;
        showLocationName();
    });
    // A page process that dies leaves an empty view: say why.
    connect(browser_->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                const QString end = endOfPageProcess(status, exitCode);
                if (end.isEmpty())
                    return;
                busy_ = false;
                ShowMessage("The web page cannot be shown: the web engine's page process " + end + ".");
            });

    timer_ = new QTimer(this);
    timer_->setObjectName("timTimer");
    timer_->setInterval(5);
    connect(timer_, &QTimer::timeout, this, &frmBrowser::tick);
}

void frmBrowser::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Each return to the view opens its start page again.
    if (event->spontaneous() || StartAddress.isEmpty())
        return;
    timer_->start();
    navigate([this] { browser_->load(QUrl(StartAddress)); });
}

void frmBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    browser_->setGeometry(0, 0, width(), height());
}

void frmBrowser::Accion(const QString& key)
{
    timer_->start();
    if (key == "Back") {
        if (browser_->history()->canGoBack())
            navigate([this] { browser_->back(); });
    } else if (key == "Fordward") {
        if (browser_->history()->canGoForward())
            navigate([this] { browser_->forward(); });
    } else if (key == "Refresh") {
        navigate([this] { browser_->reload(); });
    } else if (key == "Home" || key == "Búsqueda") {
        // The browser's home and search pages are the ones this view starts on.
        navigate([this] { browser_->load(QUrl(StartAddress)); });
    } else if (key == "Stop") {
        timer_->stop();
        browser_->stop();
        busy_ = false;
        showLocationName();
    }
}

void frmBrowser::navigate(const std::function<void()>& request)
{
    // The browser is busy from the request on, not only once the page starts to load.
    busy_ = true;
    request();
}

void frmBrowser::tick()
{
    if (busy_) {
        setWindowTitle("Working...");
        return;
    }
    timer_->stop();
    showLocationName();
}

void frmBrowser::showLocationName()
{
    const QString title = browser_->title();
    setWindowTitle(title.isEmpty() ? browser_->url().toString() : title);
}
