#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// What the roster's code page makes of each character, asked of the converter once per
// character of the Basic Multilingual Plane and kept for the rest of an import: a file of
// thousands of entries repeats the same few thousand characters.
class StoredCharacters final
{
public:
    // The Shift-JIS bytes of one character (a unit or a surrogate pair), "?" when it has none.
    std::string bytes(std::u16string_view character);
    // Whether the character (a unit or a surrogate pair) has no Shift-JIS form, so that the
    // roster keeps it as '?'.
    bool isUnmapped(QStringView character);
    // The text as the roster gives it back: each character without a Shift-JIS form as '?',
    // and those with another form as it reads back.
    QString storedForm(const QString &text);

private:
    struct Form
    {
        bool known = false;
        bool unmapped = false;
        // Read back as anything but one unit: converted each time.
        bool uncommon = false;
        std::uint8_t byteCount = 0;
        std::array<char, 2> bytes{};
        char16_t back = 0;
    };
    const Form &form(char16_t unit);

    // In blocks of 256 units, made when first used: most files use a few of them.
    static constexpr int blockSize = 256;
    std::array<std::unique_ptr<std::array<Form, blockSize>>, 0x10000 / blockSize> m_blocks;
};
