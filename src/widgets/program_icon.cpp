#include "widgets/program_icon.h"

#include <QPainter>
#include <QPixmap>

QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    // The book's cover, its spine and a page edge.
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.setBrush(QColor(128, 128, 255));
    painter.drawRoundedRect(QRectF(6.5, 2.5, 21, 27), 2, 2);
    painter.setBrush(QColor(0, 0, 192));
    painter.drawRect(QRectF(6.5, 2.5, 4, 27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(13, 7, 11, 7));
    // A person's head and shoulders on the label.
    painter.setBrush(QColor(0, 0, 192));
    painter.drawEllipse(QRectF(17, 7.5, 3, 3));
    painter.drawRect(QRectF(16, 11, 5, 2.5));
    // Tabs along the right edge.
    painter.setBrush(QColor(255, 200, 0));
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(27.5, 6 + i * 7, 3, 4));
    painter.end();
    return image;
}

QPixmap programIconPixmap()
{
    return QPixmap::fromImage(programIconImage(32));
}

QIcon programIcon()
{
    return QIcon(programIconPixmap());
}
