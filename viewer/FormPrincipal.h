#pragma once
#include <QImage>
#include <QWidget>

class PageSurface;
class QPrinter;
class QScrollBar;
class QToolBar;

// The viewer's one window: a page of the loaded view file on a scrollable surface, and a
// toolbar to open another file, print and step through the pages.
class FormPrincipal : public QWidget {
    Q_OBJECT
public:
    // commandLine is the whole argument text: the path of the view file to show.
    explicit FormPrincipal(const QString& commandLine, QWidget* parent = nullptr);

    // Redraws the current page on the surface.
    void ShowPage();

public slots:
    // Acts on the toolbar button with the given tag.
    void Toolbar3_ButtonClick(const QString& tag);

protected:
    // The dialogs, replaced in tests. Each returns false when the user cancelled.
    virtual bool chooseViewFile(QString& path);
    // printer gets the destination and copies; from and to stay as given for the whole range.
    virtual bool choosePrintRange(QPrinter& printer, int& fromPage, int& toPage);
    virtual void showProblem(const QString& text);

private:
    void openViewFile();
    void printDocument();

    PageSurface* PicPagina;
    QImage Picture1;  // holds each picture element while it is drawn
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QToolBar* Toolbar3;
};
