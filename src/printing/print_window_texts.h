#pragma once

#include <QString>

// The printing windows' fixed texts.
namespace PrintWindowTexts {
using namespace Qt::StringLiterals;

inline QString postcardCaption()
{
    return u"はがき宛名印刷"_s;
}
inline QString rosterCaption()
{
    return u"名簿を印刷"_s;
}
inline QString entriesGroup()
{
    return u"印刷する項目"_s;
}
inline QString allEntries()
{
    return u"すべて(&A)"_s;
}
inline QString rangeEntries()
{
    return u"番号の範囲(&R)"_s;
}
inline QString rangeFrom()
{
    return u"最初の番号"_s;
}
inline QString rangeTo()
{
    return u"最後の番号"_s;
}
inline QString rangeDash()
{
    return u"～"_s;
}
inline QString chosenEntries()
{
    return u"よみの窓で選んだ項目(&C)"_s;
}
inline QString order()
{
    return u"順番(&O)"_s;
}
inline QString numberOrder()
{
    return u"番号順"_s;
}
inline QString yomiOrder()
{
    return u"あいうえお順"_s;
}
inline QString optionsGroup()
{
    return u"オプション"_s;
}
inline QString honorific()
{
    return u"敬称(&K)"_s;
}
inline QString drawBoxes()
{
    return u"郵便番号の枠も印刷する(&B)"_s;
}
inline QString offsetX()
{
    return u"横のずれ (mm, 右へ)(&X)"_s;
}
inline QString offsetY()
{
    return u"縦のずれ (mm, 下へ)(&Y)"_s;
}
inline QString senderGroup()
{
    return u"差出人"_s;
}
inline QString senderName()
{
    return u"名前 (設定で)"_s;
}
inline QString senderPostalCode()
{
    return u"郵便番号(&Z)"_s;
}
inline QString senderAddress()
{
    return u"住所(&J)"_s;
}
inline QString pictures()
{
    return u"写真を入れる(&I)"_s;
}
inline QString warningsLabel()
{
    return u"郵便番号の確認"_s;
}
inline QString noWarnings()
{
    return u"郵便番号と住所はすべて揃っています。"_s;
}
inline QString previewName()
{
    return u"プレビュー"_s;
}
inline QString previewNote(int shown, int pages)
{
    return shown < pages ? u"プレビューは最初の %1 ページです (全 %2 ページ)"_s.arg(shown).arg(pages)
                         : u"全 %1 ページ"_s.arg(pages);
}
inline QString savePdf()
{
    return u"PDFに保存(&S)..."_s;
}
inline QString print()
{
    return u"印刷(&P)..."_s;
}
inline QString close()
{
    return u"閉じる"_s;
}
inline QString pdfFilter()
{
    return u"PDF (*.pdf)"_s;
}
inline QString postcardFileName()
{
    return u"hagaki.pdf"_s;
}
inline QString rosterFileName()
{
    return u"meibo.pdf"_s;
}
} // namespace PrintWindowTexts
