#pragma once

#include <QString>

// The About box's fixed texts.
namespace AboutBoxTexts {
using namespace Qt::StringLiterals;

inline QString caption(const QString &title)
{
    return u"%1のﾊﾞｰｼﾞｮﾝ情報"_s.arg(title);
}
inline QString version(const QString &number)
{
    return u"ﾊﾞｰｼﾞｮﾝ %1"_s.arg(number);
}
inline QString note()
{
    return u"ご意見・ご感想をお寄せください。"_s;
}
inline QString credit()
{
    return u"作った人:  Vedrin開発チーム"_s;
}
inline QString contact()
{
    return u"メール: vedrin@example.org"_s;
}
inline QString ok()
{
    return u"OK"_s;
}
inline QString systemInformation()
{
    return u"ｼｽﾃﾑ情報(&S)..."_s;
}
inline QString unavailable()
{
    return u"現時点ではｼｽﾃﾑ情報を使用できません"_s;
}

// Names for the controls that show no text.
inline QString programIconName()
{
    return u"プログラムのアイコン"_s;
}
inline QString decorationName()
{
    return u"飾りのアイコン"_s;
}
inline QString separatorShadowName()
{
    return u"区切り線 (影)"_s;
}
inline QString separatorLightName()
{
    return u"区切り線 (光)"_s;
}
} // namespace AboutBoxTexts
