#pragma once

#include <QIcon>
#include <QImage>

// The one icon that every window of the program shows: a small address book, designed at
// 32 x 32 and drawn at any size, so that the installed icon files come from the same drawing.
QIcon programIcon();
QPixmap programIconPixmap();
// Needs no running application: the build draws the installed icon files with it.
QImage programIconImage(int size);
