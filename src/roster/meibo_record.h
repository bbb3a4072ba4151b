#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <string>
#include <string_view>

// One roster entry: five fixed-width text fields. In memory each field holds exactly its width
// in characters; in the roster file it takes exactly its width in Shift-JIS bytes.
class MeiboRecord final
{
public:
    enum class Field { Namae, Mail, Tell, Memo, PicturePath };
    static constexpr int fieldCount = 5;
    static constexpr int byteSize = 436;

    static constexpr int width(Field field) { return widths[static_cast<int>(field)]; }
    static constexpr int byteOffset(Field field) { return offsets[static_cast<int>(field)]; }

    MeiboRecord();

    // Cut to the field's width or padded on the right with spaces.
    void set(Field field, QStringView text);
    // All of the field's width, padding included.
    const QString &get(Field field) const { return m_fields[static_cast<int>(field)]; }
    // Whether the roster file keeps the text in the field unchanged: every character has a
    // Shift-JIS form, and together they fit the field's bytes.
    static bool holdsWhole(Field field, QStringView text);
    // Nothing but spaces.
    bool isBlank(Field field) const;
    void clear();

    QByteArray toBytes() const;
    // The code page 932 bytes of one character (a unit or a surrogate pair), "?" when it has
    // none.
    using CharacterBytes = std::function<std::string(std::u16string_view character)>;
    // The same, each character that is not ASCII encoded by bytesOf, which may know it already.
    QByteArray toBytes(const CharacterBytes &bytesOf) const;
    // Missing bytes (a short or absent slot) and zero bytes (a never-written stretch) read as spaces.
    static MeiboRecord fromBytes(QByteArrayView bytes);
    // The name field alone, as fromBytes would give it: the list fill needs nothing else.
    static QString namaeFromBytes(QByteArrayView bytes);
    // The same, appended in place: the fill builds 32767 lines and allocates once for each.
    static void appendNamae(QString &to, QByteArrayView bytes);
    // One field of a slot's bytes without its padding, for readers that need only a few.
    static QString trimmedFieldFromBytes(QByteArrayView bytes, Field field);

    friend bool operator==(const MeiboRecord &a, const MeiboRecord &b)
    {
        return a.m_fields == b.m_fields;
    }

private:
    static constexpr std::array<int, fieldCount> widths = {30, 30, 30, 90, 256};
    static constexpr std::array<int, fieldCount> offsets = {0, 30, 60, 90, 180};

    static void appendField(QString &to, QByteArrayView bytes, Field field);

    std::array<QString, fieldCount> m_fields;
};
