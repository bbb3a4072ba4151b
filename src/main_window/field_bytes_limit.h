#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

// Holds an entry box to what its roster field stores, counted in Shift-JIS bytes with a line
// break as CR LF: of a text typed, pasted or set beyond it, the part that fits is kept and the
// rest never enters the box. Spaces at the end beyond it are kept, since the field drops them
// anyway: a field shown with its padding goes back unchanged.
class FieldBytesLimit final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FieldBytesLimit)

public:
    static void attach(QLineEdit *box, int byteWidth);
    static void attach(QPlainTextEdit *box, int byteWidth);

private:
    FieldBytesLimit(QObject *box, int byteWidth);

    struct Cut
    {
        qsizetype from = 0;
        qsizetype to = 0;
    };
    // What to take out of the box's new text, or an empty range when all of it stays.
    Cut excess(const QString &text);

    int m_byteWidth;
    QString m_kept;
};
