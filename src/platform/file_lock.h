#pragma once

class QFile;

enum class FileLockResult { Taken, HeldElsewhere, Unavailable };

// Takes a lock on the whole open file that every copy of the program, and every tool that writes
// the same file, asks for before using it. The system drops it when the file is closed or the
// process ends, however it ends. It keeps out only those who ask for it: reading and writing
// stay open to all. Unavailable when the file system keeps no locks.
FileLockResult lockFile(QFile &file);
