#include "main_window/field_bytes_limit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>
#include <utility>

#include "platform/code_page.h"

namespace {

qsizetype characterUnits(QStringView text, qsizetype at)
{
    const bool pair =
        text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate();
    return pair ? 2 : 1;
}

// The bytes one character takes in the field: a line break is stored as CR LF.
qsizetype storedBytes(QStringView character)
{
    if (character == u"\n")
        return 2;
    return qsizetype(CodePage932::fromUnicode(
                         std::u16string_view(reinterpret_cast<const char16_t *>(character.utf16()),
                                             character.size()))
                         .size());
}

// How many units of the text's start fit in budget bytes, and the bytes they take. Counted one
// character at a time, so that a paste of megabytes costs no more than the field.
std::pair<qsizetype, qsizetype> fittingStart(QStringView text, qsizetype budget)
{
    qsizetype used = 0;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype units = characterUnits(text, at);
        const qsizetype bytes = storedBytes(text.sliced(at, units));
        if (used + bytes > budget)
            break;
        used += bytes;
        at += units;
    }
    return {at, used};
}

} // namespace

FieldBytesLimit::FieldBytesLimit(QObject *box, int byteWidth)
    : QObject(box), m_byteWidth(byteWidth)
{
}

void FieldBytesLimit::attach(QLineEdit *box, int byteWidth)
{
    auto *limit = new FieldBytesLimit(box, byteWidth);
    limit->m_kept = box->text();
    connect(box, &QLineEdit::textChanged, limit, [box, limit](const QString &text) {
        const Cut cut = limit->excess(text);
        if (cut.from == cut.to)
            return;
        // Taken out as an edit: the cursor stays after what was kept, and undo still works.
        box->setSelection(int(cut.from), int(cut.to - cut.from));
        box->del();
    });
}

void FieldBytesLimit::attach(QPlainTextEdit *box, int byteWidth)
{
    auto *limit = new FieldBytesLimit(box, byteWidth);
    limit->m_kept = box->toPlainText();
    connect(box, &QPlainTextEdit::textChanged, limit, [box, limit] {
        const Cut cut = limit->excess(box->toPlainText());
        if (cut.from == cut.to)
            return;
        QTextCursor cursor(box->document());
        cursor.setPosition(int(cut.from));
        cursor.setPosition(int(cut.to), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

FieldBytesLimit::Cut FieldBytesLimit::excess(const QString &text)
{
    const QStringView view(text);
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    if (fittingStart(view.first(end), m_byteWidth).first == end) {
        m_kept = text;
        return {};
    }
    // The new part lies between what the text shares with the one kept before at either end.
    const qsizetype shortest = std::min(text.size(), m_kept.size());
    qsizetype prefix = 0;
    while (prefix < shortest && text[prefix] == m_kept[prefix])
        ++prefix;
    if (prefix > 0 && text[prefix - 1].isHighSurrogate())
        --prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix
           && text[text.size() - 1 - suffix] == m_kept[m_kept.size() - 1 - suffix])
        ++suffix;
    if (suffix > 0 && text[text.size() - suffix].isLowSurrogate())
        --suffix;
    const qsizetype newEnd = text.size() - suffix;
    const auto [prefixUnits, prefixBytes] = fittingStart(view.first(prefix), m_byteWidth);
    const auto [suffixUnits, suffixBytes] = fittingStart(view.sliced(newEnd), m_byteWidth);
    if (prefixUnits == prefix && suffixUnits == suffix
        && prefixBytes + suffixBytes <= m_byteWidth) {
        const qsizetype room = m_byteWidth - prefixBytes - suffixBytes;
        return {prefix + fittingStart(view.sliced(prefix, newEnd - prefix), room).first, newEnd};
    }
    // What stood around the new part does not fit by itself: the start that fits stays.
    return {fittingStart(view, m_byteWidth).first, text.size()};
}
