#pragma once

// The picture chooser's fixed texts.
namespace PictureChooserTexts {
inline constexpr char16_t caption[] = u"画像の選択";
inline constexpr char16_t select[] = u"選択";
inline constexpr char16_t selectTip[] = u"選択した画像をお気に入りフォルダへコピーします";
inline constexpr char16_t cancel[] = u"cancel";

inline constexpr char16_t driveUnreadable[] =
    u"そのドライブからは読み取れません。フロッピー又はCDは入ってますか? (";
inline constexpr char16_t driveUnreadableStatus[] = u"FYかCDが入ってないよ";
inline constexpr char16_t notAPicture[] = u"画像ファイルでないかサポートしていない拡張子です。  (";
inline constexpr char16_t notAPictureStatus[] = u"画像を指定してね";
inline constexpr char16_t nothingSelected[] = u"画像ファイルが選択されていません。";
inline constexpr char16_t selectFailedStatus[] = u"失敗";
inline constexpr char16_t pathNotStorable[] =
    u"この画像は登録できません。場所の名前にShift-JISで表せない文字があるか、256バイトを超えています。";
inline constexpr char16_t folderUnreadable[] = u"そのフォルダは開けません。 (";

// Names for the controls that show no text of their own, and what the status line is.
inline constexpr char16_t previewName[] = u"プレビュー";
inline constexpr char16_t driveName[] = u"ドライブ";
inline constexpr char16_t folderName[] = u"フォルダ";
inline constexpr char16_t fileName[] = u"ファイル";
inline constexpr char16_t statusDescription[] = u"状態";
} // namespace PictureChooserTexts
