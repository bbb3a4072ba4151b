#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Whether the pieces are valid UTF-8 together: each piece is decoded without the start of its
// last character, which waits for the next.
class Utf8Check final
{
public:
    void add(QByteArrayView piece);
    // Whether all the pieces were valid; the check starts afresh.
    bool finish();

private:
    void addSlice(QByteArrayView piece);
    void decode(QByteArrayView bytes);

    QByteArray m_carry;
    bool m_valid = true;
};
