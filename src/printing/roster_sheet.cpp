#include "printing/roster_sheet.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <array>

#include "platform/picture_loader.h"
#include "printing/page_output.h"
#include "printing/postal_address.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qreal pageWidth = 210.0;
constexpr qreal pageHeight = 297.0;
constexpr qreal margin = 12.0;
constexpr qreal titleEm = 5.0;
constexpr qreal tableTop = 24.0;
constexpr qreal headerHeight = 7.0;
constexpr qreal footerTop = pageHeight - 12.0;
constexpr qreal rowHeight = 9.8;
constexpr qreal pictureRowHeight = 17.0;
constexpr qreal cellEm = 2.9;
constexpr qreal cellPadding = 1.2;

enum class Cell { Number, Name, Reading, Tell, Mail, Address, Picture };

struct TableColumn
{
    Cell cell;
    QString heading;
    qreal width;
};

QList<TableColumn> tableColumns(bool pictures)
{
    QList<TableColumn> columns = {{Cell::Number, u"番号"_s, 12},  {Cell::Name, u"名前"_s, 32},
                                  {Cell::Reading, u"よみ"_s, 28}, {Cell::Tell, u"電話"_s, 28},
                                  {Cell::Mail, u"メール"_s, 40},  {Cell::Address, u"住所"_s, 46}};
    if (pictures) {
        columns[4].width -= 8;
        columns[5].width -= 8;
        columns.append({Cell::Picture, u"写真"_s, 16});
    }
    return columns;
}

qreal rowHeightFor(const RosterSheetOptions &options)
{
    return options.pictures ? pictureRowHeight : rowHeight;
}

int rowsPerPage(const RosterSheetOptions &options)
{
    return int((footerTop - 2 - tableTop - headerHeight) / rowHeightFor(options));
}

QString cellText(const PrintEntry &printed, Cell cell)
{
    const ExchangeEntry &entry = printed.entry;
    switch (cell) {
    case Cell::Number:
        return QString::number(entry.number);
    case Cell::Name:
        return entry.name;
    case Cell::Reading:
        return printed.reading;
    case Cell::Tell:
        return entry.tell;
    case Cell::Mail:
        return entry.mail;
    case Cell::Address: {
        const PostalAddress address = readPostalAddress(entry.memo);
        const QString rest = address.columns.join(u'　');
        return address.code == PostalAddress::Code::Found
                   ? u"〒%1 %2"_s.arg(writtenPostalCode(address.digits), rest)
                   : asOneLine(entry.memo);
    }
    case Cell::Picture:
        break;
    }
    return {};
}

// Up to as many lines as fit the cell, the last one cut with an ellipsis.
void drawCellText(QPainter &painter, const QFont &font, const QRectF &cell, const QString &text,
                  int maxLines)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(font, painter.device());
    const qreal lineHeight = metrics.height();
    if (maxLines <= 1 || metrics.horizontalAdvance(text) <= cell.width()) {
        painter.drawText(QPointF(cell.left(), cell.top() + metrics.ascent()),
                         metrics.elidedText(text, Qt::ElideRight, cell.width()));
        return;
    }
    QTextLayout layout(text, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    int lines = 0;
    qsizetype lastStart = 0;
    while (lines < maxLines - 1) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(cell.width());
        line.setPosition(QPointF(0, y));
        y += lineHeight;
        ++lines;
        lastStart = line.textStart() + line.textLength();
    }
    layout.endLayout();
    layout.draw(&painter, cell.topLeft());
    if (lastStart < text.size())
        painter.drawText(QPointF(cell.left(), cell.top() + y + metrics.ascent()),
                         metrics.elidedText(text.mid(lastStart), Qt::ElideRight, cell.width()));
}

void drawPicture(QPainter &painter, const QRectF &cell, const QString &path)
{
    if (path.trimmed().isEmpty())
        return;
    const PictureLoad load = loadPictureWithin(path, QSize(), std::chrono::seconds(2));
    if (!load.succeeded() || load.picture.isNull())
        return;
    // 300 dots an inch is plenty on paper and keeps a roster of photographs small.
    const QSize dots(int(cell.width() / 2540 * 300), int(cell.height() / 2540 * 300));
    const QImage picture = load.picture.scaled(dots, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QSizeF shown = QSizeF(picture.size()).scaled(cell.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(cell.center() - QPointF(shown.width(), shown.height()) / 2, shown),
                      picture);
}

void paintPage(QPainter &painter, const QList<PrintEntry> &entries, qsizetype first,
               qsizetype count, int page, int pages, const RosterSheetOptions &options)
{
    const QList<TableColumn> columns = tableColumns(options.pictures);
    const qreal height = rowHeightFor(options);
    painter.setPen(Qt::black);
    painter.setFont(minchoFont(titleEm));
    painter.drawText(QRectF(hundredths(margin), hundredths(10), hundredths(pageWidth - 2 * margin),
                            hundredths(10)),
                     Qt::AlignHCenter | Qt::AlignBottom, options.title);

    const QFont headingFont = gothicFont(cellEm);
    const QFont cellFont = minchoFont(cellEm);
    const qreal tableWidth = pageWidth - 2 * margin;
    const qreal tableBottom = tableTop + headerHeight + count * height;
    painter.fillRect(QRectF(hundredths(margin), hundredths(tableTop), hundredths(tableWidth),
                            hundredths(headerHeight)),
                     QColor(232, 232, 232));
    painter.setFont(headingFont);
    qreal x = margin;
    for (const TableColumn &column : columns) {
        painter.drawText(QRectF(hundredths(x), hundredths(tableTop), hundredths(column.width),
                                hundredths(headerHeight)),
                         Qt::AlignCenter, column.heading);
        x += column.width;
    }

    painter.setFont(cellFont);
    const int maxLines = std::max(1, int((height - 2 * cellPadding) / (cellEm * 1.2)));
    for (qsizetype row = 0; row < count; ++row) {
        const PrintEntry &printed = entries.at(first + row);
        const qreal top = tableTop + headerHeight + row * height;
        x = margin;
        for (const TableColumn &column : columns) {
            const QRectF cell(hundredths(x + cellPadding), hundredths(top + cellPadding),
                              hundredths(column.width - 2 * cellPadding),
                              hundredths(height - 2 * cellPadding));
            if (column.cell == Cell::Picture)
                drawPicture(painter, cell, printed.entry.picturePath);
            else if (column.cell == Cell::Number)
                painter.drawText(cell, Qt::AlignRight | Qt::AlignTop, cellText(printed, Cell::Number));
            else
                drawCellText(painter, cellFont, cell, cellText(printed, column.cell),
                             column.cell == Cell::Address || column.cell == Cell::Name ? maxLines
                                                                                       : 1);
            x += column.width;
        }
    }

    painter.setPen(QPen(Qt::black, hundredths(0.15)));
    for (qsizetype row = 0; row <= count + 1; ++row) {
        const qreal y = row == 0 ? tableTop : tableTop + headerHeight + (row - 1) * height;
        painter.drawLine(QPointF(hundredths(margin), hundredths(y)),
                         QPointF(hundredths(margin + tableWidth), hundredths(y)));
    }
    x = margin;
    for (qsizetype i = 0; i <= columns.size(); ++i) {
        painter.drawLine(QPointF(hundredths(x), hundredths(tableTop)),
                         QPointF(hundredths(x), hundredths(tableBottom)));
        if (i < columns.size())
            x += columns.at(i).width;
    }

    painter.setFont(minchoFont(cellEm));
    painter.drawText(QRectF(hundredths(margin), hundredths(footerTop), hundredths(tableWidth),
                            hundredths(6)),
                     Qt::AlignHCenter | Qt::AlignTop, u"%1 / %2"_s.arg(page).arg(pages));
}

} // namespace

int rosterSheetPages(qsizetype entryCount, const RosterSheetOptions &options)
{
    const int rows = rowsPerPage(options);
    return std::max(1, int((entryCount + rows - 1) / rows));
}

void paintRosterSheet(QPagedPaintDevice &device, const QList<PrintEntry> &entries,
                      const RosterSheetOptions &options, int maxPages)
{
    QPainter painter;
    beginPage(painter, device);
    const int rows = rowsPerPage(options);
    const int pages = rosterSheetPages(entries.size(), options);
    const int painted = maxPages > 0 ? std::min(maxPages, pages) : pages;
    for (int page = 0; page < painted; ++page) {
        if (page > 0)
            device.newPage();
        const qsizetype first = qsizetype(page) * rows;
        paintPage(painter, entries, first, std::min<qsizetype>(rows, entries.size() - first),
                  page + 1, pages, options);
    }
    painter.end();
}

bool writeRosterSheetPdf(const QString &path, const QList<PrintEntry> &entries,
                         const RosterSheetOptions &options, QString *reason)
{
    return writePdf(
        path, QPageSize(QPageSize::A4), options.title,
        [&](QPagedPaintDevice &device) { paintRosterSheet(device, entries, options); }, reason);
}
