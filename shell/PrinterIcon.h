#pragma once
#include <QIcon>

// The picture of the Print commands: the desktop theme's printer where there is one, else a
// small printer drawn here (the standard icons offer no printer).
QIcon PrinterIcon();
