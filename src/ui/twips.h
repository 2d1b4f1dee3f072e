#pragma once
// Window positions and sizes are given in twips (1/1440 inch); 15 twips make one
// device-independent pixel, so layouts look the same at every screen scale.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

inline int Twips(double twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

inline QRect TwipsRect(double left, double top, double width, double height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

inline QSize TwipsSize(double width, double height)
{
    return QSize(Twips(width), Twips(height));
}

inline double PixelsToTwips(double pixels)
{
    return pixels * 15.0;
}
