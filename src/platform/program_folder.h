#pragma once

#include <QString>

// A folder the build names for data the programs read (a dictionary, the postal codes): an
// absolute one as it stands, a relative one beside the program file, as the Windows release
// ships them.
QString besideProgram(const QString &folder);
