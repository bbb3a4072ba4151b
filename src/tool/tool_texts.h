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
inline QString cannotBackUp(const QString &reason)
{
    return u"名簿ファイル meibo.dat の控えを作れなかったので、何も書き込んでいません: %1"_s.arg(reason);
}
inline QString stoppedPartWay(int written, int slot, const QString &name, const QString &backup)
{
    return u"%1 件を書き込んだところで止まりました。No. %2 (%3) から後は書き込んでいません。%4"_s
        .arg(written)
        .arg(slot)
        .arg(name, backup.isEmpty() ? QString() : u"元の名簿は %1 にあります。"_s.arg(backup));
}
inline QString notOrdinary(const QString &file)
{
    return u"%1 は普通のファイルではありません。"_s.arg(QDir::toNativeSeparators(file));
}
inline QString tooLarge(const QString &file)
{
    return u"%1 は大きすぎます (読み込めるのは 256 MB までです)。"_s.arg(QDir::toNativeSeparators(file));
}
inline QString programFile(const QString &file)
{
    return u"%1 は名簿ファイル、設定ファイルか名簿の控えです。書き出し先には別のファイルを指定してください。"_s
        .arg(QDir::toNativeSeparators(file));
}
inline QString pastLastSlot(int count)
{
    return u"No. 32767 より後の %1 件は書き出していません (読み込めない番号です)。"_s.arg(count);
}
inline QString takenInFile(int wanted)
{
    return u"No. %1 はこのファイルの前の項目が使うので、空いている番号に入れます"_s.arg(wanted);
}
inline QString notBackup(const QString &file)
{
    return u"%1 は名簿ファイルの控えではありません (長さが 436 バイトの倍数ではありません)。"_s
        .arg(QDir::toNativeSeparators(file));
}
inline QString restoreFromRoster()
{
    return u"名簿ファイル meibo.dat をそれ自身に戻すことはできません。"_s;
}
inline QString restorePreview(const QString &backup, int entries, int current)
{
    return u"名簿ファイル meibo.dat (今は %3 件) を %1 (%2 件) に戻します。"_s.arg(
        QDir::toNativeSeparators(backup), QString::number(entries), QString::number(current));
}
inline QString restored(const QString &backup, const QString &madeBackup)
{
    if (madeBackup.isEmpty())
        return u"名簿ファイル meibo.dat を %1 に戻しました (戻す前の名簿はありませんでした)。"_s.arg(
            QDir::toNativeSeparators(backup));
    return u"名簿ファイル meibo.dat を %1 に戻しました (戻す前の名簿は %2)。"_s.arg(
        QDir::toNativeSeparators(backup), madeBackup);
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
inline QString reading(const QString &reading)
{
    return u"よみ: %1"_s.arg(reading);
}
inline QString cannotWriteReadings(const QString &reason)
{
    return u"よみのファイル yomi.txt を書けませんでした (%1)。名簿には書き込みました。"_s.arg(reason);
}
inline QString dryRun()
{
    return u"まだ何も書き込んでいません。書き込むには --apply を付けてください。"_s;
}
inline QString written(int count, const QString &backup)
{
    if (backup.isEmpty())
        return u"%1 件を名簿ファイル meibo.dat に書き込みました (元の名簿はありませんでした)。"_s.arg(count);
    return u"%1 件を名簿ファイル meibo.dat に書き込みました (元の名簿は %2)。"_s.arg(count).arg(backup);
}

} // namespace ToolTexts
