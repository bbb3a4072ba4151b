#pragma once

// The About box's fixed texts.
namespace AboutBoxTexts {
inline constexpr char16_t captionSuffix[] = u"のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr char16_t versionPrefix[] = u"ﾊﾞｰｼﾞｮﾝ ";
inline constexpr char16_t note[] = u"ご意見・ご感想をお寄せください。";
inline constexpr char16_t credit[] = u"作った人:  Vedrin開発チーム";
inline constexpr char16_t contact[] = u"メール: vedrin@example.org";
inline constexpr char16_t ok[] = u"OK";
inline constexpr char16_t systemInformation[] = u"ｼｽﾃﾑ情報(&S)...";
inline constexpr char16_t unavailable[] = u"現時点ではｼｽﾃﾑ情報を使用できません";

// Names for the controls that show no text.
inline constexpr char16_t programIconName[] = u"プログラムのアイコン";
inline constexpr char16_t decorationName[] = u"飾りのアイコン";
inline constexpr char16_t separatorShadowName[] = u"区切り線 (影)";
inline constexpr char16_t separatorLightName[] = u"区切り線 (光)";
} // namespace AboutBoxTexts
