#pragma once

class QFile;
class QString;

// Whether the open file is still the one that the name leads to: false once the name has been
// removed or given to another file, as a rename over it does.
bool isFileNamed(QFile &file, const QString &name);
