#include "support/system_faults.h"

#include <QTest>

// None of the faults can be made here; the cases that need them are skipped before these run.

bool canMake(SystemFault)
{
    return false;
}

bool collatesWithIcu()
{
    return false;
}

bool runsAsRoot()
{
    return false;
}

bool makeFifo(const QString &)
{
    return false;
}

bool inChildProcess(const std::function<bool()> &)
{
    return false;
}

void defaultFileSizeSignal() {}

bool limitFileSize(qint64)
{
    return false;
}

void closeStandardDescriptors() {}

void setChildSetup(QProcess &, const std::function<void()> &setup)
{
    if (setup)
        qFatal("no child set-up on this system");
}

WithoutPrivileges::WithoutPrivileges(const TestDirectory &, bool)
{
    qFatal("no privileges to drop on this system");
}

WithoutPrivileges::~WithoutPrivileges() = default;

SmallDisk::SmallDisk()
{
    qFatal("no small disk on this system");
}

SmallDisk::~SmallDisk() = default;

void SmallDisk::fill() {}

LeasedFile::LeasedFile(const QString &)
{
    qFatal("no leases on this system");
}

LeasedFile::~LeasedFile() = default;
