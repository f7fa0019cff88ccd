#pragma once
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class QWebEngineView;

// The web page view: a browser over the whole form, driven by the toolbar through Accion.
// Its caption follows the page shown and reads "Working..." while a page loads.
class frmBrowser : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString StartAddress MEMBER StartAddress)
public:
    explicit frmBrowser(QWidget* parent = nullptr);

    // The page the next activation opens.
    QString StartAddress;

    Q_INVOKABLE void Accion(const QString& key);

    QWebEngineView* brwWebBrowser() const { return browser_; }
    QTimer* timTimer() const { return timer_; }
    bool Busy() const { return busy_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void navigate(const std::function<void()>& request);
    void tick();
    void showLocationName();

    QWebEngineView* browser_ = nullptr;
    QTimer* timer_ = nullptr;
    bool busy_ = false;
};
