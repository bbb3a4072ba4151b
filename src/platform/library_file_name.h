#pragma once

#include <QByteArray>
#include <QString>

// A file name as a portable C or C++ library opens it: in the file system's own encoding, or on
// Windows in UTF-8, which such libraries (MeCab among them) widen for the system's wide calls.
QByteArray libraryFileName(const QString &path);
