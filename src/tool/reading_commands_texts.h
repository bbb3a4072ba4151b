#pragma once

#include <QString>

// The messages of the tool's commands on readings.
namespace ReadingCommandTexts {
using namespace Qt::StringLiterals;

inline QString listDescription()
{
    return u"名簿 meibo.dat の空でない項目を一行ずつ、番号・名前・よみ・電話・メールをタブで"
           u"区切って示します。推定のよみには（推定）が付きます。"_s;
}
inline QString orderOption()
{
    return u"並べ方: yomi (五十音順, 既定) か number (番号順)"_s;
}
inline QString findOption()
{
    return u"名前・よみ・ローマ字・電話番号・メールで絞り込む"_s;
}
inline QString yomiDescription()
{
    return u"よみを登録します (yomi.txt)。\n"
           u"  yomi set N READING  番号 N のよみを READING にする (空なら消す)\n"
           u"  yomi guess          よみのない項目の推定を示す\n"
           u"  yomi guess --apply  その推定をすべてよみとして登録する"_s;
}
inline QString applyOption()
{
    return u"推定をよみとして登録する"_s;
}
inline QString wrongOrder()
{
    return u"並べ方は yomi か number です。"_s;
}
inline QString wrongYomi()
{
    return u"yomi set N READING か yomi guess [--apply] と指定してください。"_s;
}
inline QString emptySlot(const QString &number)
{
    return u"No. %1 に項目がありません。"_s.arg(number);
}
inline QString confirmed(int count)
{
    return u"%1 件のよみを yomi.txt に登録しました。"_s.arg(count);
}
inline QString guessDryRun()
{
    return u"まだ何も登録していません。登録するには --apply を付けてください。"_s;
}
} // namespace ReadingCommandTexts
