#pragma once

#include <QString>

// The main window's fixed texts.
namespace MainWindowTexts {
using namespace Qt::StringLiterals;

inline QString initialCaption()
{
    return u"Vedrin"_s;
}
inline QString loadedCaption()
{
    return u"Vedrinアドレスちょう"_s;
}
inline QString ownerTitle(const QString &owner)
{
    return u"%1のアドレス帳"_s.arg(owner);
}
inline QString noOwnerTitle()
{
    return u"Myアドレス帳"_s;
}
inline QString listTip()
{
    return u"menuの設定で名簿の数を調節できます。"_s;
}
inline QString pictureTip()
{
    return u"ここをクリックして画像指定して下さい"_s;
}

// The labels, which also name their boxes for a screen reader, and the names of the controls
// that show no text.
inline QString numberLabel()
{
    return u"No"_s;
}
inline QString nameLabel()
{
    return u"name"_s;
}
inline QString mailLabel()
{
    return u"mail"_s;
}
inline QString tellLabel()
{
    return u"Tell"_s;
}
inline QString addressLabel()
{
    return u"address"_s;
}
inline QString rosterListName()
{
    return u"roster list"_s;
}
inline QString pictureName()
{
    return u"picture"_s;
}

// The buttons and the menu.
inline QString pictureButton()
{
    return u"picture"_s;
}
inline QString registerButton()
{
    return u"登録"_s;
}
inline QString deleteButton()
{
    return u"削除"_s;
}
inline QString endButton()
{
    return u"END"_s;
}
inline QString menu()
{
    return u"menu"_s;
}
inline QString yomiCommand()
{
    return u"五十音順一覧と検索(&F)..."_s;
}
inline QString postcardPrintingCommand()
{
    return u"はがき宛名印刷(&H)..."_s;
}
inline QString rosterPrintingCommand()
{
    return u"名簿を印刷(&P)..."_s;
}
inline QString endCommand()
{
    return u"終了"_s;
}
inline QString settingsCommand()
{
    return u"設定"_s;
}
inline QString helpCommand()
{
    return u"Help"_s;
}

inline QString noName()
{
    return u"名前が入力されていません。"_s;
}
inline QString noNumber()
{
    return u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。"_s;
}
// A box holding a character that the roster cannot keep, named in the message.
inline QString notShiftJis(const QString &field)
{
    return u"%1はShift-JISで保存できない文字を含んでいます。"_s.arg(field);
}
inline QString nameField()
{
    return u"名前"_s;
}
inline QString mailField()
{
    return u"メールアドレス"_s;
}
inline QString tellField()
{
    return u"電話番号"_s;
}
inline QString memoField()
{
    return u"住所"_s;
}
inline QString pictureLoadError()
{
    return u"画像読み込みエラー"_s;
}
inline QString pictureMissing()
{
    return u"指定の画像が見つかりません。移動または削除していませんか?"_s;
}
inline QString deleted(const QString &name)
{
    return u"削除しました: %1"_s.arg(name);
}
inline QString nothingToDelete()
{
    return u"削除するデータが選択されていません。"_s;
}

// Start-up failures; a reason is the system's.
inline QString settingsNotOrdinary()
{
    return u"設定ファイル settei.ini は普通のファイルではありません。"_s;
}
inline QString cannotWriteSettings(const QString &reason)
{
    return u"設定ファイル settei.ini を書き込めませんでした: %1"_s.arg(reason);
}
} // namespace MainWindowTexts
