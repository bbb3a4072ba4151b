#pragma once

#include <QDir>
#include <QString>

// The console tool's messages, in the program's own words.
namespace ToolTexts {

using namespace Qt::StringLiterals;

inline QString noRoster(const QString &folder)
{
    return u"名簿ファイル meibo.dat が %1 にありません。"_s.arg(QDir::toNativeSeparators(folder));
}
inline QString cannotWriteRoster(const QString &reason)
{
    return u"名簿ファイル meibo.dat に書き込めませんでした: %1"_s.arg(reason);
}
inline QString cannotBackUp()
{
    return u"名簿ファイル meibo.dat の控え meibo.dat.bak を作れませんでした。"_s;
}
inline QString cannotWrite(const QString &file, const QString &reason)
{
    return u"%1 に書き込めませんでした: %2"_s
        .arg(file.isEmpty() ? u"標準出力"_s : QDir::toNativeSeparators(file), reason);
}
inline QString cannotReadFile(const QString &file, const QString &reason)
{
    return u"%1 を読み込めませんでした: %2"_s.arg(QDir::toNativeSeparators(file), reason);
}
inline QString notContacts(const QString &file)
{
    return u"%1 はvCardでもCSVでもありません。"_s.arg(QDir::toNativeSeparators(file));
}
inline QString cannotEnterFolder(const QString &folder)
{
    return u"フォルダ %1 を開けませんでした。"_s.arg(QDir::toNativeSeparators(folder));
}
inline QString undecodable(int slot, const QString &field)
{
    return u"No. %1 の%2にShift-JISとして読めないバイトがあります (U+FFFD にしました)"_s
        .arg(slot)
        .arg(field);
}
inline QString skipped(int card)
{
    return u"%1 件目は使える項目がないので飛ばしました"_s.arg(card);
}
inline QString placed(int slot, const QString &name)
{
    return u"No. %1: %2"_s.arg(slot).arg(name);
}
inline QString noRoom(const QString &name)
{
    return u"入りません (No. 32767 まで空きがありません): %1"_s.arg(name);
}
inline QString noName()
{
    return u"(名前なし)"_s;
}
inline QString dryRun()
{
    return u"まだ何も書き込んでいません。書き込むには --apply を付けてください。"_s;
}
inline QString written(int count)
{
    return u"%1 件を名簿ファイル meibo.dat に書き込みました (元の名簿は meibo.dat.bak)。"_s.arg(count);
}

} // namespace ToolTexts
