#include "printing/postcard_layout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

#include "printing/page_output.h"
#include "printing/postal_address.h"
#include "printing/vertical_text.h"

using namespace Qt::StringLiterals;

namespace {

// Japan Post's guide: seven boxes 5.7 × 8.0 mm, 12.0 mm from the top edge, the row ending 8.0 mm
// from the right edge; 1.3 mm between the first three, 1.9 mm before the fourth, 1.1 mm after.
constexpr std::array<qreal, 7> codeBoxLefts = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
constexpr qreal codeBoxTop = 12.0;
constexpr qreal codeBoxWidth = 5.7;
constexpr qreal codeBoxHeight = 8.0;

// The sender's smaller boxes at the lower left.
constexpr std::array<qreal, 7> senderBoxLefts = {5.0, 9.5, 14.0, 19.2, 23.7, 28.2, 32.7};
constexpr qreal senderBoxTop = 127.0;
constexpr qreal senderBoxWidth = 4.0;
constexpr qreal senderBoxHeight = 6.0;

// The vermilion of printed boxes.
const QColor boxColour(226, 60, 40);

// The address from the right edge down; its later columns start lower, as building names do.
constexpr qreal addressRight = 88.6;
constexpr qreal addressTop = 25.0;
constexpr qreal laterColumnsDrop = 14.0;
constexpr qreal addressBottom = 130.0;
constexpr qreal addressEm = 5.2;
constexpr qreal smallestAddressEm = 3.4;
constexpr qreal addressColumnStep = 7.4;

constexpr qreal nameCentre = 50.0;
constexpr qreal nameTop = 30.0;
constexpr qreal nameBottom = 132.0;
constexpr qreal nameEm = 9.5;
constexpr qreal namePitch = 1.1;

constexpr qreal senderRight = 34.0;
constexpr qreal senderTop = 72.0;
constexpr qreal senderBottom = 124.0;
constexpr qreal senderAddressEm = 3.4;
constexpr qreal senderNameEm = 4.8;

struct Column
{
    QList<VerticalGlyph> glyphs;
    qreal em = 0;
};

// A line set as columns of at most length millimetres: shrunk as far as smallest, then broken.
QList<Column> fitColumns(const QString &line, qreal length, qreal em, qreal smallest)
{
    QList<VerticalGlyph> glyphs = verticalGlyphs(line);
    const qreal ems = columnLength(glyphs);
    if (ems * em <= length)
        return {{glyphs, em}};
    if (ems * smallest <= length)
        return {{glyphs, length / ems}};
    QList<Column> columns;
    const int perColumn = std::max(1, int(length / smallest));
    for (qsizetype at = 0; at < glyphs.size(); at += perColumn)
        columns.append({glyphs.mid(at, perColumn), smallest});
    return columns;
}

void drawCodeDigits(QPainter &painter, const QString &digits, const std::array<qreal, 7> &lefts,
                    qreal top, qreal width, qreal height, qreal em)
{
    const QFont font = minchoFont(em);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    for (qsizetype i = 0; i < std::min<qsizetype>(digits.size(), 7); ++i) {
        const QString digit = digits.mid(i, 1);
        const QRectF ink = metrics.tightBoundingRect(digit);
        const QPointF centre(hundredths(lefts[i] + width / 2), hundredths(top + height / 2));
        painter.drawText(centre - ink.center(), digit);
    }
}

void drawBoxes(QPainter &painter, const std::array<qreal, 7> &lefts, qreal top, qreal width,
               qreal height, qreal thick, qreal thin)
{
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        painter.setPen(QPen(boxColour, hundredths(i < 3 ? thick : thin)));
        painter.drawRect(QRectF(hundredths(lefts[i]), hundredths(top), hundredths(width),
                                hundredths(height)));
    }
    painter.setPen(QPen(boxColour, hundredths(thick)));
    const qreal y = hundredths(top + height / 2);
    painter.drawLine(QPointF(hundredths(lefts[2] + width), y), QPointF(hundredths(lefts[3]), y));
}

void drawColumn(QPainter &painter, const Column &column, qreal x, qreal top, qreal pitch = 1.0)
{
    drawVerticalColumn(painter, minchoFont(column.em), QPointF(hundredths(x), hundredths(top)),
                       hundredths(column.em), column.glyphs, pitch);
}

void drawAddress(QPainter &painter, const QStringList &lines)
{
    qreal x = addressRight;
    bool first = true;
    for (const QString &line : lines) {
        const qreal top = first ? addressTop : addressTop + laterColumnsDrop;
        for (const Column &column : fitColumns(verticalAddressText(line), addressBottom - top,
                                               addressEm, smallestAddressEm)) {
            drawColumn(painter, column, x, top);
            x -= addressColumnStep;
        }
        first = false;
    }
}

void drawName(QPainter &painter, const QString &name, Honorific honorific)
{
    if (name.isEmpty())
        return;
    // A blank of half an em between the name and its honorific.
    const QList<VerticalGlyph> glyphs =
        verticalGlyphs(verticalAddressText(name) + u' ' + honorificText(honorific));
    const qreal ems = columnLength(glyphs) * namePitch;
    const qreal em = std::min(nameEm, (nameBottom - nameTop) / ems);
    drawColumn(painter, {glyphs, em}, nameCentre, nameTop, namePitch);
}

void drawSender(QPainter &painter, const PostcardOptions &options)
{
    const PostalAddress code = readPostalAddress(options.settings.senderPostalCode);
    if (code.code == PostalAddress::Code::Found)
        drawCodeDigits(painter, code.digits, senderBoxLefts, senderBoxTop, senderBoxWidth,
                       senderBoxHeight, 4.0);
    qreal x = senderRight;
    const PostalAddress address = readPostalAddress(options.settings.senderAddress);
    for (const QString &line : address.columns) {
        for (const Column &column : fitColumns(verticalAddressText(line), senderBottom - senderTop,
                                               senderAddressEm, 2.4)) {
            drawColumn(painter, column, x, senderTop);
            x -= senderAddressEm * 1.5;
        }
    }
    const QString name = options.senderName.trimmed();
    if (name.isEmpty())
        return;
    x -= senderNameEm * 0.3;
    for (const Column &column : fitColumns(verticalAddressText(name), senderBottom - senderTop,
                                           senderNameEm, 2.8)) {
        // The sender's name ends at the bottom of the block.
        drawColumn(painter, column, x, senderBottom - columnLength(column.glyphs) * column.em);
        x -= column.em * 1.4;
    }
}

void paintPostcard(QPainter &painter, const PrintEntry &printed, const PostcardOptions &options)
{
    painter.save();
    painter.translate(hundredths(options.settings.offsetXMillimetres),
                      hundredths(options.settings.offsetYMillimetres));
    if (options.settings.drawBoxes) {
        drawBoxes(painter, codeBoxLefts, codeBoxTop, codeBoxWidth, codeBoxHeight, 0.5, 0.3);
        drawBoxes(painter, senderBoxLefts, senderBoxTop, senderBoxWidth, senderBoxHeight, 0.3,
                  0.2);
    }
    painter.setPen(Qt::black);
    const PostalAddress address = readPostalAddress(printed.entry.memo);
    if (address.code == PostalAddress::Code::Found)
        drawCodeDigits(painter, address.digits, codeBoxLefts, codeBoxTop, codeBoxWidth,
                       codeBoxHeight, 6.2);
    drawAddress(painter, address.columns);
    drawName(painter, printed.entry.name.trimmed(), options.settings.honorific);
    drawSender(painter, options);
    painter.restore();
}

} // namespace

QPageSize postcardPageSize()
{
    return QPageSize(QSizeF(100, 148), QPageSize::Millimeter, u"Postcard"_s,
                     QPageSize::ExactMatch);
}

QList<PrintEntry> postcardEntries(const QList<PrintEntry> &entries)
{
    QList<PrintEntry> out;
    for (const PrintEntry &printed : entries) {
        if (!printed.entry.name.trimmed().isEmpty()
            || !readPostalAddress(printed.entry.memo).columns.isEmpty())
            out.append(printed);
    }
    return out;
}

void paintPostcards(QPagedPaintDevice &device, const QList<PrintEntry> &entries,
                    const PostcardOptions &options, int maxPages)
{
    QPainter painter;
    beginPage(painter, device);
    const qsizetype count =
        maxPages > 0 ? std::min<qsizetype>(maxPages, entries.size()) : entries.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0)
            device.newPage();
        paintPostcard(painter, entries.at(i), options);
    }
    painter.end();
}

bool writePostcardsPdf(const QString &path, const QList<PrintEntry> &entries,
                       const PostcardOptions &options, QString *reason)
{
    return writePdf(
        path, postcardPageSize(), u"はがき宛名"_s,
        [&](QPagedPaintDevice &device) { paintPostcards(device, entries, options); }, reason);
}
