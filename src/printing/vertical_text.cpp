#include "printing/vertical_text.h"

#include <QFontMetricsF>
#include <QPainter>

#include "printing/postal_address.h"

using namespace Qt::StringLiterals;

namespace {

bool isHyphen(QChar c)
{
    return c == u'-' || c == u'－' || c == u'‐' || c == u'−' || c == u'–' || c == u'—'
           || c == u'―' || c == u'ー';
}

// Marks and dashes that run along the line: turned so that they run down the column.
bool turnsWithTheLine(QChar c)
{
    static constexpr QStringView turned =
        u"ー～〜…‥－-‐−–—―＝=「」『』（）()［］[]｛｝{}〔〕【】〈〉《》＜＞<>→←：:;；";
    return turned.contains(c);
}

bool isSmallKana(QChar c)
{
    static constexpr QStringView small = u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ";
    return small.contains(c);
}

// 、。，． sit in the lower left of a horizontal cell and in the upper right of a vertical one.
bool isStop(QChar c)
{
    return c == u'、' || c == u'。' || c == u'，' || c == u'．' || c == u',' || c == u'.';
}

} // namespace

QString verticalAddressText(QStringView text)
{
    static constexpr QStringView numerals = u"〇一二三四五六七八九";
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (digitValue(c) >= 0) {
            out += numerals.at(digitValue(c));
        } else if (isHyphen(c) && i > 0 && i + 1 < text.size() && digitValue(text.at(i - 1)) >= 0
                   && digitValue(text.at(i + 1)) >= 0) {
            out += u'－';
        } else if (c > u' ' && c < QChar(0x7F)) {
            out += QChar(c.unicode() - 0x21 + 0xFF01);
        } else if (c == u' ') {
            out += u'　';
        } else {
            out += c;
        }
    }
    return out;
}

QList<VerticalGlyph> verticalGlyphs(QStringView line)
{
    QList<VerticalGlyph> glyphs;
    glyphs.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        VerticalGlyph glyph;
        const QChar c = line.at(i);
        if (c.isHighSurrogate() && i + 1 < line.size()) {
            glyph.text = line.mid(i, 2).toString();
            ++i;
        } else {
            glyph.text = QString(c);
        }
        if (turnsWithTheLine(c))
            glyph.turn = VerticalGlyph::Turn::Quarter;
        else if (isStop(c))
            glyph.shift = QPointF(0.6, -0.6);
        else if (isSmallKana(c))
            glyph.shift = QPointF(0.1, -0.1);
        else if (c == u' ' || c == u'　')
            glyph.advance = c == u' ' ? 0.5 : 1.0;
        glyphs.append(glyph);
    }
    return glyphs;
}

qreal columnLength(const QList<VerticalGlyph> &glyphs)
{
    qreal length = 0;
    for (const VerticalGlyph &glyph : glyphs)
        length += glyph.advance;
    return length;
}

void drawVerticalColumn(QPainter &painter, const QFont &font, QPointF top, qreal em,
                        const QList<VerticalGlyph> &glyphs, qreal pitch)
{
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    // The baseline below the centre of the em box, whatever the font's own ascent.
    const qreal height = metrics.ascent() + metrics.descent();
    const qreal toBaseline = height > 0 ? em * (metrics.ascent() / height - 0.5) : em * 0.38;
    qreal y = top.y();
    for (const VerticalGlyph &glyph : glyphs) {
        const QPointF centre(top.x() + glyph.shift.x() * em,
                             y + glyph.advance * em * pitch / 2 + glyph.shift.y() * em);
        y += glyph.advance * em * pitch;
        if (glyph.text.trimmed().isEmpty())
            continue;
        const qreal width = metrics.horizontalAdvance(glyph.text);
        painter.save();
        painter.translate(centre);
        if (glyph.turn == VerticalGlyph::Turn::Quarter)
            painter.rotate(90);
        painter.drawText(QPointF(-width / 2, toBaseline), glyph.text);
        painter.restore();
    }
}
