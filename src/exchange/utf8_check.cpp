#include "exchange/utf8_check.h"

#include <QStringDecoder>

namespace {

// A few kilobytes at a time, so that the text decoded to check them stays small.
constexpr qsizetype slice = 4096;

} // namespace

void Utf8Check::add(QByteArrayView piece)
{
    for (qsizetype at = 0; at < piece.size(); at += slice)
        addSlice(piece.sliced(at, qMin(slice, piece.size() - at)));
}

bool Utf8Check::finish()
{
    decode(m_carry);
    m_carry.clear();
    const bool valid = m_valid;
    m_valid = true;
    return valid;
}

void Utf8Check::addSlice(QByteArrayView piece)
{
    m_carry += piece;
    qsizetype end = m_carry.size();
    for (qsizetype back = 1; back <= 4 && back <= m_carry.size(); ++back) {
        if ((static_cast<unsigned char>(m_carry.at(m_carry.size() - back)) & 0xC0) != 0x80) {
            end = m_carry.size() - back;
            break;
        }
    }
    decode(QByteArrayView(m_carry).first(end));
    m_carry.remove(0, end);
}

void Utf8Check::decode(QByteArrayView bytes)
{
    if (!m_valid || bytes.isEmpty())
        return;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    m_valid = !decoder.hasError();
}
