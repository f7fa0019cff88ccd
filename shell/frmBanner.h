#pragma once
#include <QLabel>
#include <QTimer>
#include <QWidget>

// The strip across the top of the main window: a line of text that scrolls in from the right
// and changes its colour every eleventh tick of its timer.
class frmBanner : public QWidget {
    Q_OBJECT
public:
    explicit frmBanner(QWidget* parent = nullptr);

    QLabel* Label1() const { return label_; }
    QTimer* Timer1() const { return timer_; }
    // The label's left edge, in twips from the banner's left edge.
    double LabelLeft() const { return labelLeft_; }
    void SetLabelLeft(double twips);

    // One tick of Timer1.
    void Tick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* label_ = nullptr;
    QTimer* timer_ = nullptr;
    double labelLeft_ = 0;
    qint16 tickCount_ = 0;
    qint16 colourStep_ = 0;
};
