#pragma once

// The main window's fixed texts.
namespace MainWindowTexts {
inline constexpr char16_t initialCaption[] = u"Vedrin";
inline constexpr char16_t loadedCaption[] = u"Vedrinアドレスちょう";
inline constexpr char16_t ownerSuffix[] = u"のアドレス帳";
inline constexpr char16_t noOwnerTitle[] = u"Myアドレス帳";
inline constexpr char16_t listTip[] = u"menuの設定で名簿の数を調節できます。";
inline constexpr char16_t pictureTip[] = u"ここをクリックして画像指定して下さい";

inline constexpr char16_t noName[] = u"名前が入力されていません。";
inline constexpr char16_t noNumber[] =
    u"Noが選択されていません。リストよりNoを指定するか番号を入力して下さい。";
inline constexpr char16_t pictureLoadError[] = u"画像読み込みエラー";
inline constexpr char16_t pictureMissing[] =
    u"指定の画像が見つかりません。移動または削除していませんか?";
inline constexpr char16_t deleted[] = u"削除しました: ";
inline constexpr char16_t nothingToDelete[] = u"削除するデータが選択されていません。";

// Start-up failures.
inline constexpr char16_t settingsNotOrdinary[] = u"設定ファイル settei.ini は普通のファイルではありません。";
inline constexpr char16_t rosterNotOrdinary[] = u"名簿ファイル meibo.dat は普通のファイルではありません。";
inline constexpr char16_t rosterInUse[] = u"名簿ファイル meibo.dat は別のVedrinで使用中です。";
// These three are followed by the system's reason.
inline constexpr char16_t cannotWriteSettings[] = u"設定ファイル settei.ini を書き込めませんでした: ";
inline constexpr char16_t cannotOpenRoster[] = u"名簿ファイル meibo.dat を開けませんでした: ";
inline constexpr char16_t cannotReadRoster[] = u"名簿ファイル meibo.dat を読み込めませんでした: ";
} // namespace MainWindowTexts
