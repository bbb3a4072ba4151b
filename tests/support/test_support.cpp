#include "support/test_support.h"

#include <QBuffer>
#include <QImage>

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
