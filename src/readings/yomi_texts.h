#pragma once

#include <QString>
#include <QStringList>

// The fixed texts of the window Yomi.
namespace YomiTexts {
using namespace Qt::StringLiterals;

inline QString title()
{
    return u"五十音順一覧"_s;
}
inline QString searchLabel()
{
    return u"検索(&K):"_s;
}
inline QString searchName()
{
    return u"検索"_s;
}
// The index buttons' captions and, for a screen reader, their names.
inline QStringList indexCaptions()
{
    return {u"あ"_s, u"か"_s, u"さ"_s, u"た"_s, u"な"_s, u"は"_s,
            u"ま"_s, u"や"_s, u"ら"_s, u"わ"_s, u"他"_s};
}
inline QString indexName(const QString &caption)
{
    return caption == u"他"_s ? u"その他へ"_s : u"%1行へ"_s.arg(caption);
}
inline QString indexBarName()
{
    return u"五十音の索引"_s;
}
inline QStringList columns()
{
    return {u"番号"_s, u"名前"_s, u"よみ"_s, u"電話"_s, u"メール"_s};
}
inline QString tableName()
{
    return u"五十音順の一覧"_s;
}
inline QString rowName(int number, const QString &name)
{
    return u"%1 %2"_s.arg(number).arg(name);
}
inline QString status(qsizetype shown, qsizetype all)
{
    return u"該当 %1 件／全 %2 件"_s.arg(shown).arg(all);
}
inline QString readingLabel()
{
    return u"よみ(&Y):"_s;
}
inline QString readingName()
{
    return u"よみ"_s;
}
inline QString registerReading()
{
    return u"よみを登録(&R)"_s;
}
inline QString adoptGuess()
{
    return u"推定を採用(&G)"_s;
}
inline QString showEntry()
{
    return u"この番号を表示(&O)"_s;
}

} // namespace YomiTexts
