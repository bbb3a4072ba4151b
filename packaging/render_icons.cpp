// Writes the program icon as <folder>/<size>x<size>/apps/<name>.png for every size given, or,
// given a file ending in .ico, as one Windows icon file holding every size.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

#include "widgets/program_icon.h"

namespace {

QByteArray pngOf(int size)
{
    QByteArray png;
    QBuffer buffer(&png);
    return programIconImage(size).save(&buffer, "PNG") ? png : QByteArray();
}

template<typename T>
void append(QByteArray &bytes, T value)
{
    const T little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&little), sizeof little);
}

// The icon file's header, one directory entry per size and then each size as a PNG image, as
// Windows reads icons since Vista.
bool writeIconFile(const QString &file, const QList<int> &sizes)
{
    QByteArray head, images;
    append<quint16>(head, 0);
    append<quint16>(head, 1);
    append<quint16>(head, quint16(sizes.size()));
    const int directoryEnd = 6 + 16 * int(sizes.size());
    for (int size : sizes) {
        const QByteArray png = size > 0 && size <= 256 ? pngOf(size) : QByteArray();
        if (png.isEmpty())
            return false;
        // 256 is written as 0 in a byte.
        head.append(char(size % 256)).append(char(size % 256)).append(2, '\0');
        append<quint16>(head, 1);
        append<quint16>(head, 32);
        append<quint32>(head, quint32(png.size()));
        append<quint32>(head, quint32(directoryEnd + images.size()));
        images += png;
    }
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(head + images) == head.size() + images.size()
           && out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s folder name size... | %s file.ico size...\n", argv[0],
                     argv[0]);
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    if (target.endsWith(QStringLiteral(".ico"))) {
        QList<int> sizes;
        for (int i = 2; i < argc; ++i)
            sizes.append(std::atoi(argv[i]));
        if (!writeIconFile(target, sizes)) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        return 0;
    }
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(target).arg(size);
        const QString file = sizeFolder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (size <= 0 || !QDir().mkpath(sizeFolder) || !programIconImage(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
