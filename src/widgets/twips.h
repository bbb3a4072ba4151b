#pragma once

#include <QRect>

// Window layouts are kept in twips; 15 twips are one pixel at 96 DPI, and Qt scales from there.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
