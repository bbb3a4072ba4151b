#include "support/test_support.h"

#include <QBuffer>
#include <QImage>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

TestDirectory::TestDirectory() : m_previous(QDir::currentPath())
{
    if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path()))
        qFatal("no temporary directory: %s", qPrintable(m_dir.errorString()));
}

QByteArray readFileBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFileBytes(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s: %s", qPrintable(name), qPrintable(file.errorString()));
}

QByteArray pngBytes(const QColor &colour, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    // The writer opens the buffer itself.
    image.save(&buffer, "PNG");
    return bytes;
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
