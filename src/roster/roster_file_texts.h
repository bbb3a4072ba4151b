#pragma once

#include <QString>

#include "roster/roster_file.h"

// What every program that opens the roster says when it cannot, in the same words: the window
// at start-up and the console tool alike.
namespace RosterFileTexts {
using namespace Qt::StringLiterals;

// Why opening failed, for any status but Ok; a reason is the system's.
inline QString openFailure(RosterFile::Status status, const QString &reason)
{
    switch (status) {
    case RosterFile::Status::Locked:
        return u"名簿ファイル meibo.dat は別のVedrinで使用中です。"_s;
    case RosterFile::Status::NotOrdinaryFile:
        return u"名簿ファイル meibo.dat は普通のファイルではありません。"_s;
    default:
        return u"名簿ファイル meibo.dat を開けませんでした: %1"_s.arg(reason);
    }
}
inline QString cannotRead(const QString &reason)
{
    return u"名簿ファイル meibo.dat を読み込めませんでした: %1"_s.arg(reason);
}
} // namespace RosterFileTexts
