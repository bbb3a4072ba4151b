#include "printing/page_output.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

#include "platform/whole_file_write.h"

using namespace Qt::StringLiterals;

namespace {

QFont fontWithEm(const QString &family, qreal emMillimetres)
{
    QFont font(family);
    font.setPixelSize(std::max(1, int(std::lround(hundredths(emMillimetres)))));
    font.setStyleStrategy(QFont::PreferOutline);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace

void beginPage(QPainter &painter, QPagedPaintDevice &device)
{
    painter.begin(&device);
    painter.scale(device.logicalDpiX() / 2540.0, device.logicalDpiY() / 2540.0);
}

QFont minchoFont(qreal emMillimetres)
{
    return fontWithEm(u"IPAMincho"_s, emMillimetres);
}

QFont gothicFont(qreal emMillimetres)
{
    return fontWithEm(u"IPAGothic"_s, emMillimetres);
}

bool writePdf(const QString &path, const QPageSize &pageSize, const QString &title,
              const std::function<void(QPagedPaintDevice &device)> &paint, QString *reason)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(1200);
        writer.setTitle(title);
        writer.setCreator(u"Vedrin"_s);
        paint(writer);
    }
    return writeWholeFile(path, buffer.data(), reason);
}
