#pragma once

// Every test includes this: Qt Test and the file classes the tests read their results with.
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// A fresh, empty current directory for one test case; the previous one comes back afterwards.
// The helpers below end the test program when the system refuses them what a case needs.
class TestDirectory final
{
public:
    TestDirectory();
    ~TestDirectory() { QDir::setCurrent(m_previous); }
    Q_DISABLE_COPY(TestDirectory)

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

QByteArray readFileBytes(const QString &name);
void writeFileBytes(const QString &name, const QByteArray &bytes);
// A small real PNG picture of the given colour.
QByteArray pngBytes(const QColor &colour, int width = 8, int height = 6);

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
