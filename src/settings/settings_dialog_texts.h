#pragma once

// The settings dialog's fixed texts.
namespace SettingsDialogTexts {
inline constexpr char16_t caption[] = u"Vedrin設定";
inline constexpr char16_t heading[] = u"[設定]";
inline constexpr char16_t maxEntriesCaption[] = u"名簿の最大値";
inline constexpr char16_t ownerNameCaption[] = u"あなたの名前";
inline constexpr char16_t ok[] = u"OK";
inline constexpr char16_t note[] = u"注: 名簿のMAX値は、半角数字で入力してください";

inline constexpr char16_t tooMany[] = u"1000人以上の登録は多すぎます。ほんとにそんなに必要ですか?";
inline constexpr char16_t changeableLater[] = u"登録人数(MAX値)は、あとで変更可能です。";
inline constexpr char16_t outOfRange[] =
    u"名簿の最大値は -32768 から 32767 までの数で入力してください。";
inline constexpr char16_t quoteInName[] = u"名前に \" (ダブルクォーテーション) は使えません。";
inline constexpr char16_t cannotSave[] = u"設定を保存できませんでした。";
} // namespace SettingsDialogTexts
