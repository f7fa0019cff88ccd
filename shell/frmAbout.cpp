#include "frmAbout.h"

#include "ApplicationTitle.h"
#include "ProgramVersion.h"
#include "SysInfo.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle("About Vantora");

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    auto* lblTitle = new QLabel(kApplicationTitle, this);
    lblTitle->setObjectName("lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = new QLabel(QStringLiteral("Versión %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision), this);
    lblVersion->setObjectName("lblVersion");

    auto* cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    auto* cmdSysInfo = new QPushButton("&System Info...", this);
    cmdSysInfo->setObjectName("cmdSysInfo");
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->setRowStretch(2, 1);
    layout->addWidget(cmdOK, 3, 2);
    layout->addWidget(cmdSysInfo, 4, 2);
    layout->setColumnStretch(1, 1);
    resize(420, 220);
}
