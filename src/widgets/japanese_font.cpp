#include "widgets/japanese_font.h"

#include <QStringList>

QFont japaneseGothicFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral(u"IPA Pゴシック")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
