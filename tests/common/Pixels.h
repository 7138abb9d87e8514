#pragma once
// Probes of grabbed pictures for tests that check how something looks.
#include <QImage>

#include <algorithm>

// The grey level (0 black .. 255 white) of the darkest pixel: the ink of
// text drawn on a lighter background.
inline int Darkest_Gray(const QImage& Image)
{
    int Darkest = 255;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            Darkest = std::min(Darkest, qGray(Image.pixel(X, Y)));
    return Darkest;
}
