#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>

// What the roster's code page makes of each character, asked of the converter once per
// character of the Basic Multilingual Plane and kept for the rest of an import: a file of
// thousands of entries repeats the same few thousand characters.
class StoredCharacters final
{
public:
    // Whether the character (a unit or a surrogate pair) has no Shift-JIS form, so that the
    // roster keeps it as '?'.
    bool isUnmapped(QStringView character);
    // The text as the roster gives it back: each character without a Shift-JIS form as '?',
    // and those with another form as it reads back.
    QString storedForm(const QString &text);

private:
    // For one unit: 0 not yet asked; else 1 << 31, 1 << 16 when unmapped, and the unit it
    // reads back as.
    std::uint32_t &known(char16_t unit);
    std::uint32_t form(char16_t unit);

    // In blocks of 256 units, made when first used: most files use a few of them.
    static constexpr int blockSize = 256;
    std::array<std::unique_ptr<std::array<std::uint32_t, blockSize>>, 0x10000 / blockSize> m_blocks;
};
