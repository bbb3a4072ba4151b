#pragma once

#include <QString>

// The picture chooser's fixed texts.
namespace PictureChooserTexts {
using namespace Qt::StringLiterals;

inline QString caption()
{
    return u"画像の選択"_s;
}
inline QString select()
{
    return u"選択"_s;
}
inline QString selectTip()
{
    return u"選択した画像をお気に入りフォルダへコピーします"_s;
}
inline QString cancel()
{
    return u"cancel"_s;
}

// Each failure that has one ends in the run-time error number in brackets.
inline QString driveUnreadable(int errorNumber)
{
    return u"そのドライブからは読み取れません。フロッピー又はCDは入ってますか? (%1)"_s.arg(
        errorNumber);
}
inline QString driveUnreadableStatus()
{
    return u"FYかCDが入ってないよ"_s;
}
inline QString notAPicture(int errorNumber)
{
    return u"画像ファイルでないかサポートしていない拡張子です。  (%1)"_s.arg(errorNumber);
}
inline QString notAPictureStatus()
{
    return u"画像を指定してね"_s;
}
inline QString nothingSelected()
{
    return u"画像ファイルが選択されていません。"_s;
}
inline QString selectFailedStatus()
{
    return u"失敗"_s;
}
inline QString pathNotStorable()
{
    return u"この画像は登録できません。場所の名前にShift-JISで表せない文字があるか、"
           u"256バイトを超えています。"_s;
}
inline QString folderUnreadable(int errorNumber)
{
    return u"そのフォルダは開けません。 (%1)"_s.arg(errorNumber);
}

// Names for the controls that show no text of their own, and what the status line is.
inline QString previewName()
{
    return u"プレビュー"_s;
}
inline QString driveName()
{
    return u"ドライブ"_s;
}
inline QString folderName()
{
    return u"フォルダ"_s;
}
inline QString fileName()
{
    return u"ファイル"_s;
}
inline QString statusDescription()
{
    return u"状態"_s;
}
} // namespace PictureChooserTexts
