#pragma once
#include <QWidget>

// The product information page: the child form of view 10 and of unknown views.
class frmGeneralInfo : public QWidget {
    Q_OBJECT
public:
    explicit frmGeneralInfo(QWidget* parent = nullptr);

    // Nothing to reload: the page is fixed.
    Q_INVOKABLE void Refresca() {}
};
