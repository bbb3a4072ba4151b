#include "support/system_faults.h"

#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/test_support.h"

bool canMake(SystemFault)
{
    return true;
}

bool collatesWithIcu()
{
    return true;
}

bool runsAsRoot()
{
    return ::geteuid() == 0;
}

bool makeFifo(const QString &name)
{
    return ::mkfifo(QFile::encodeName(name).constData(), 0666) == 0;
}

bool inChildProcess(const std::function<bool()> &body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)
           && WEXITSTATUS(status) == 0;
}

void defaultFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_DFL);
}

bool limitFileSize(qint64 bytes)
{
    const rlimit limit = {rlim_t(bytes), rlim_t(bytes)};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

void closeStandardDescriptors()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor)
        ::close(descriptor);
}

void setChildSetup(QProcess &process, const std::function<void()> &setup)
{
    process.setChildProcessModifier(setup);
}

WithoutPrivileges::WithoutPrivileges(const TestDirectory &dir, bool writableFolder)
    : m_path(dir.path()), m_wasRoot(::geteuid() == 0)
{
    QFileDevice::Permissions open = QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                    | QFileDevice::ReadOther | QFileDevice::ExeOther;
    if (writableFolder)
        open |= QFileDevice::WriteOwner | QFileDevice::WriteOther;
    constexpr uid_t nobody = 65534;
    // The real ids change too, since access() checks those; the saved ones allow the way back.
    if (!QFile::setPermissions(m_path, open)
        || (m_wasRoot && (::setresgid(nobody, nobody, 0) != 0 || ::setresuid(nobody, nobody, 0) != 0)))
        qFatal("cannot drop privileges: %s", strerror(errno));
}

WithoutPrivileges::~WithoutPrivileges()
{
    if (m_wasRoot && (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0))
        qFatal("cannot take privileges back: %s", strerror(errno));
    // The folder must be removable afterwards.
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                      | QFileDevice::ExeOwner);
}

SmallDisk::SmallDisk() : m_previousTemp(qgetenv("TMPDIR"))
{
    const QByteArray path = QFile::encodeName(m_mountPoint.path());
    if (::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") != 0)
        qFatal("cannot mount a small disk: %s", strerror(errno));
    // TestDirectory makes its folder where the temporary files go.
    qputenv("TMPDIR", path);
}

SmallDisk::~SmallDisk()
{
    if (m_previousTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_previousTemp);
    // Detached, so that a file still open cannot keep it.
    ::umount2(QFile::encodeName(m_mountPoint.path()).constData(), MNT_DETACH);
}

void SmallDisk::fill()
{
    QFile filler(m_mountPoint.filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        qFatal("cannot fill the small disk: %s", qPrintable(filler.errorString()));
    while (filler.write(QByteArray(4096, 'f')) == 4096) {
    }
}

LeasedFile::LeasedFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int pipe[2];
    if (::pipe(pipe) != 0)
        return;
    m_holder = ::fork();
    if (m_holder == 0) {
        // Only async-signal-safe calls after a fork. SIGIO, by which the system asks the lease
        // back, is ignored, so the lease holds until the break time runs out.
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGIO, &ignore, nullptr);
        const int fd = ::open(name.constData(), O_RDONLY);
        const char taken = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0 ? 1 : 0;
        if (::write(pipe[1], &taken, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(pipe[1]);
    char taken = 0;
    m_held = m_holder > 0 && ::read(pipe[0], &taken, 1) == 1 && taken == 1;
    ::close(pipe[0]);
}

LeasedFile::~LeasedFile()
{
    if (m_holder <= 0)
        return;
    ::kill(m_holder, SIGKILL);
    ::waitpid(m_holder, nullptr, 0);
}
