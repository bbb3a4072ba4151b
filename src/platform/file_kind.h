#pragma once

class QString;

// Whether the name leads, through any links, to a FIFO, a socket or a device: something that
// must not be opened as a data file. Opening a FIFO blocks, reading a device may never end, and
// replacing either would put a file where a device node was. A missing name, an ordinary file
// and a folder are not special; a folder fails to open on its own.
bool isSpecialFile(const QString &name);
