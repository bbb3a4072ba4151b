#pragma once

#include <QIODevice>

class QFile;

enum class OrdinaryOpen { Opened, NotOrdinary, Failed };

// Opens the file's name as QFile::open(mode) would, but without ever blocking, and keeps it open
// only when what was opened is an ordinary file: a FIFO or a device put under the name between a
// check and the open can then neither hang the program nor be read or written. Failed leaves the
// system's words in the file's errorString().
OrdinaryOpen openOrdinaryFile(QFile &file, QIODevice::OpenMode mode);
