#pragma once

#include <QtGlobal>

class QFile;

// Makes the disk give the open file room for the bytes from offset to offset + length, so that
// writing them cannot stop part way for want of space. May lengthen the file. False when the disk
// is full or the file may grow no further, with the reason in errno; true as well where the file
// system cannot reserve.
bool reserveFileSpace(QFile &file, qint64 offset, qint64 length);
