#include "widgets/japanese_font.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QFont japaneseGothicFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s, u"IPAPGothic"_s, u"IPA Pゴシック"_s});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
