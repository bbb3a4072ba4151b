#pragma once

#include <QString>

#include "printing/postal_code_check.h"

// The printing's texts, which its windows and the console tool share.
namespace PrintingTexts {
using namespace Qt::StringLiterals;

inline QString rosterTitle(const QString &owner)
{
    return owner.isEmpty() ? u"Myアドレス帳"_s : u"%1のアドレス帳"_s.arg(owner);
}

inline QString warning(const PostalCodeWarning &warning)
{
    const QString who = u"No. %1 %2: "_s.arg(warning.number).arg(warning.name.trimmed());
    switch (warning.kind) {
    case PostalCodeWarning::Kind::Missing:
        return who + u"郵便番号がありません"_s;
    case PostalCodeWarning::Kind::Malformed:
        return who + u"郵便番号の形が正しくありません (〒123-4567 の形で)"_s;
    case PostalCodeWarning::Kind::NoAddress:
        return who + u"住所がありません"_s;
    case PostalCodeWarning::Kind::Unknown:
        return who + u"郵便番号が郵便番号簿にありません"_s;
    case PostalCodeWarning::Kind::NotMatching:
        break;
    }
    return who + u"郵便番号は「%1」のものです。住所と合っていません"_s.arg(warning.expectedPlace);
}

inline QString cannotWritePdf(const QString &file, const QString &reason)
{
    return u"PDF %1 を書き込めませんでした: %2"_s.arg(file, reason);
}
inline QString cannotSaveSettings(const QString &reason)
{
    return u"印刷の設定 insatsu.ini を書き込めませんでした: %1"_s.arg(reason);
}
inline QString nothingToPrint()
{
    return u"印刷する項目がありません。"_s;
}
} // namespace PrintingTexts
