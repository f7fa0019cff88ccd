#pragma once
#include <QDialog>
#include <QTimer>

// The window shown while the program starts; it closes itself two seconds after it appears.
class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QTimer* Timer1() const { return timer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTimer* timer_ = nullptr;
};
