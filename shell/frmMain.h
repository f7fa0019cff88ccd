#pragma once
#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QPrinter>
#include <QString>
#include <QToolBar>

#include <memory>

class frmBanner;
class frmShorcuts;
class QLabel;

// The program's main window: banner strip on top, navigation pane on the left and the child
// form of the current view beside it; menus, toolbar and status bar act on that child by
// operation name. Creating it loads it (placement and last view from the user's settings)
// and makes it MainForm.
class frmMain : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(qint16 VistaActual MEMBER VistaActual)
    Q_PROPERTY(qint16 FiltroActual MEMBER FiltroActual)
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The current view and filter; -1 before the first view opens.
    qint16 VistaActual = -1;
    qint16 FiltroActual = -1;
    qint16 BannerHeight = 0;  // twips

    // Opens the view when the pair differs from the current one, else repaints the child.
    Q_INVOKABLE void CambiaAVista(qint16 view, qint16 filter);
    // Marks "Current View" item index only.
    Q_INVOKABLE void ActivaFiltro(qint16 index);
    // Hides the navigation pane and offers "Go To" instead.
    Q_INVOKABLE void CerrarShortcut();
    // Opens the edit dialog of entity 0-9 for a new record (current code cleared).
    void NewRecord(qint16 entity);

    QWidget* ActiveChild() const { return activeChild_; }
    frmShorcuts* Shortcuts() const { return shortcuts_; }
    frmBanner* Banner() const { return banner_; }
    QWidget* ClientArea() const { return clientArea_; }
    bool PaneShown() const { return paneShown_ != 0; }
    // The pane's width in pixels.
    int PaneWidth() const;

    QAction* GoToItem(int view) const;
    QAction* CurrentViewItem(int filter) const;
    QAction* ToolbarButton(const QString& key) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (frmMainMenus.cpp).
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildActionsMenu();
    void buildToolbar();
    void buildStatusBar();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    QAction* addSeparator(QMenu* menu, const char* name);
    QMenu* addMenu(const char* name, const QString& caption);
    QAction* addButton(const QString& key, const QString& caption, const QString& tooltip);

    // Load and layout (frmMain.cpp).
    void loadPageSize();
    void restorePlacement();
    void keepOnScreen();
    void setPaneWidth(int width);
    void showChildCaption();
    void openStartView();
    void Layout();
    void placeChild(bool besidePane);
    void storeSettings();

    // Views (frmMainViews.cpp).
    void openView();
    void checkGoToItem(qint16 view);
    void showCommandsOf(qint16 view);
    QWidget* childForm(const QString& formName);
    void goTo(int view);
    void chooseFilter(int filter);

    // Commands (frmMainCommands.cpp).
    void toolbarButtonClicked(const QString& key);
    void newRecordItem(int entity);
    void callOnActiveChild(const char* operation);
    void pageSetup();
    void toggleShortcuts();
    void toggleBar(QWidget* bar, QAction* item);
    void showAbout();
    void archiveCharges();
    void updateClock();

    QWidget* clientArea_ = nullptr;
    frmBanner* banner_ = nullptr;
    frmShorcuts* shortcuts_ = nullptr;
    QWidget* activeChild_ = nullptr;
    QHash<QString, QWidget*> childForms_;
    qint16 paneShown_ = 1;

    QToolBar* toolbar_ = nullptr;
    QMenu* currentViewMenu_ = nullptr;
    QMenu* goToMenu_ = nullptr;
    QHash<QString, QAction*> buttons_;
    QList<QAction*> goToItems_;
    QList<QAction*> filterItems_;
    QLabel* datePanel_ = nullptr;
    QLabel* timePanel_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};
