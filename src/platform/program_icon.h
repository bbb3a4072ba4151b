#pragma once

#include <QIcon>

// The one icon that every window of the program shows: a small address book, drawn at 32 x 32.
QIcon programIcon();
QPixmap programIconPixmap();
