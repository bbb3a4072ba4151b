#pragma once

#include <QString>

// The settings dialog's fixed texts.
namespace SettingsDialogTexts {
using namespace Qt::StringLiterals;

inline QString caption()
{
    return u"Vedrin設定"_s;
}
inline QString heading()
{
    return u"[設定]"_s;
}
inline QString maxEntriesCaption()
{
    return u"名簿の最大値"_s;
}
inline QString ownerNameCaption()
{
    return u"あなたの名前"_s;
}
inline QString ok()
{
    return u"OK"_s;
}
inline QString note()
{
    return u"注: 名簿のMAX値は、半角数字で入力してください"_s;
}

inline QString tooMany()
{
    return u"1000人以上の登録は多すぎます。ほんとにそんなに必要ですか?"_s;
}
inline QString changeableLater()
{
    return u"登録人数(MAX値)は、あとで変更可能です。"_s;
}
inline QString outOfRange()
{
    return u"名簿の最大値は -32768 から 32767 までの数で入力してください。"_s;
}
inline QString quoteInName()
{
    return u"名前に \" (ダブルクォーテーション) は使えません。"_s;
}
inline QString cannotSave()
{
    return u"設定を保存できませんでした。"_s;
}
} // namespace SettingsDialogTexts
