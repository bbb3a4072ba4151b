#pragma once

class QString;

// Whether the name may be opened as a data file: it is missing, an ordinary file or a link to
// one. A FIFO would block its reader, a device would never end, and replacing either would put
// a file where a device node was.
bool isMissingOrOrdinaryFile(const QString &name);
