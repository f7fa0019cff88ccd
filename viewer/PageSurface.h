#pragma once
#include <QFont>
#include <QImage>
#include <QWidget>

// The page surface: a grey area whose picture persists between window repaints until it is
// drawn again. Its coordinates are twips; the visible top-left corner is (left, top).
class PageSurface : public QWidget {
    Q_OBJECT
public:
    explicit PageSurface(const QSize& size, QWidget* parent = nullptr);

    void setScaleLeft(int twips) { scaleLeft_ = twips; }
    void setScaleTop(int twips) { scaleTop_ = twips; }
    int scaleLeft() const { return scaleLeft_; }
    int scaleTop() const { return scaleTop_; }
    double twipsPerPixel() const;

    // Draws the current page into the persistent picture and shows it.
    void drawCurrentPage(QImage& picture);
    const QImage& persistentPicture() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage canvas_;
    QFont font_;  // the typeface carries over from one drawing to the next
    int scaleLeft_ = -200;
    int scaleTop_ = -200;
};
