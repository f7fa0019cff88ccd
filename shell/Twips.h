#pragma once

// Lengths on screen are kept in twips (1440 to the inch) and drawn in pixels through the
// screen's logical DPI: 15 twips to the pixel at 96 DPI.
double TwipsPerPixel();
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);
