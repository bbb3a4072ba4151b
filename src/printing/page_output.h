#pragma once

#include <QFont>
#include <QPageSize>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

// The printed pages are laid out in hundredths of a millimetre from the paper's top left corner.
constexpr qreal hundredths(qreal millimetres)
{
    return millimetres * 100;
}

// A painter on the device, scaled to hundredths of a millimetre.
void beginPage(QPainter &painter, QPagedPaintDevice &device);

// IPA明朝, or IPAゴシック, with an em of so many millimetres.
QFont minchoFont(qreal emMillimetres);
QFont gothicFont(qreal emMillimetres);

// Draws the pages into a PDF file through paint, which gets the device set to the page size,
// and replaces the file with it whole; false, with the system's reason, when it cannot be written.
bool writePdf(const QString &path, const QPageSize &pageSize, const QString &title,
              const std::function<void(QPagedPaintDevice &device)> &paint, QString *reason);
