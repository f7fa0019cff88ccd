#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

double TwipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dotsPerInch > 0 ? dotsPerInch : 96.0);
}

int TwipsToPixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel()));
}

double PixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel();
}
