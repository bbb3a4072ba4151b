#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringView>

class QFont;
class QPainter;

// One character of a vertical column as vertical typesetting sets it. The font has no vertical
// forms of its own, so they are made here: turned a quarter clockwise, or moved within the cell.
struct VerticalGlyph
{
    enum class Turn { Upright, Quarter };

    QString text;
    Turn turn = Turn::Upright;
    // How far the glyph moves from the cell's centre, in ems: right and down are positive.
    QPointF shift;
    // How many ems of the column the character takes.
    qreal advance = 1.0;

    friend bool operator==(const VerticalGlyph &a, const VerticalGlyph &b)
    {
        return a.text == b.text && a.turn == b.turn && a.shift == b.shift && a.advance == b.advance;
    }
};

// Digits as kanji numerals (一二三…〇), every hyphen between two numbers as "－", half-width
// letters and signs as their full-width forms: an address as a vertical column shows it.
QString verticalAddressText(QStringView text);

// Where each character of a line goes in a vertical column.
QList<VerticalGlyph> verticalGlyphs(QStringView line);

// How many ems the glyphs take down the column.
qreal columnLength(const QList<VerticalGlyph> &glyphs);

// Draws the glyphs down from top, centred on top's x, each cell em high, with the font set to
// that em; pitch is the distance between cells, in ems.
void drawVerticalColumn(QPainter &painter, const QFont &font, QPointF top, qreal em,
                        const QList<VerticalGlyph> &glyphs, qreal pitch = 1.0);
