#pragma once

// Faults the tests make for real on the system: file permissions, a full disk, a lease, FIFOs,
// file-size limits and closed standard descriptors in a child process, and a few things that
// Windows does not allow at all. A case that needs one asks canMake() first and is skipped
// where the system has none of it.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

class QProcess;
class TestDirectory;

enum class SystemFault {
    Fifo,             // a named pipe in the folder
    ChildSetup,       // limits, signals and descriptors set in a child process before it runs
    Privileges,       // permissions that bind the process, root or not
    SmallDisk,        // a file system that fills
    Shell,            // set-ups written as POSIX shell commands (links, device nodes, truncate)
    DataHome,         // the user's data folder moved by the environment (XDG_DATA_HOME)
    ReplaceOpenFile,  // a file that a program holds open, deleted or renamed over by name
};

bool canMake(SystemFault fault);
#define SKIP_UNLESS_SYSTEM_CAN(fault)                                                           \
    do {                                                                                        \
        if (!canMake(SystemFault::fault))                                                       \
            QSKIP("this system cannot make the fault: " #fault);                                \
    } while (false)

bool runsAsRoot();
// Whether Qt orders text with ICU, as on Linux; elsewhere with the system's own collation.
bool collatesWithIcu();
bool makeFifo(const QString &name);
// Runs body in a child process of its own, so that what it sets ends with it; whether body
// returned true there.
bool inChildProcess(const std::function<bool()> &body);
// In the process that calls them, usually a child: SIGXFSZ's default action (as a shell gives
// it), a file-size limit of bytes, and standard descriptors 0 to 2 closed.
void defaultFileSizeSignal();
bool limitFileSize(qint64 bytes);
void closeStandardDescriptors();
// What the started program's process runs just before the program, where the system has it.
void setChildSetup(QProcess &process, const std::function<void()> &setup);

// While it lives, file permissions apply to this process even when it runs as root: the
// effective user becomes nobody. The directory is opened to that user first, for writing too
// unless asked otherwise.
class WithoutPrivileges final
{
public:
    explicit WithoutPrivileges(const TestDirectory &dir, bool writableFolder = true);
    ~WithoutPrivileges();
    Q_DISABLE_COPY(WithoutPrivileges)

private:
    QString m_path;
    bool m_wasRoot = false;
};

// A tmpfs of sixteen 4096-byte pages (the suite runs as root) that holds every TestDirectory
// made while it lives; fill() then takes all of its room, as a full disk would.
class SmallDisk final
{
public:
    SmallDisk();
    ~SmallDisk();
    Q_DISABLE_COPY(SmallDisk)

    void fill();

private:
    QTemporaryDir m_mountPoint;
    QByteArray m_previousTemp;
};

// While it lives, another process holds a write lease on the file and ignores the call to give it
// up, so that opening the file blocks for the system's lease-break time (45 s by default).
class LeasedFile final
{
public:
    explicit LeasedFile(const QString &path);
    ~LeasedFile();
    Q_DISABLE_COPY(LeasedFile)

    bool isHeld() const { return m_held; }

private:
    int m_holder = -1;
    bool m_held = false;
};
