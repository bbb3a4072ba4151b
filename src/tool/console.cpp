#include "tool/console.h"

#include <QString>
#include <QStringView>
#include <QTextStream>

#include <cstdio>

QTextStream &Console::standardOutput()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &Console::standardError()
{
    static QTextStream stream(stderr);
    return stream;
}

void Console::writeLine(QTextStream &stream, QStringView text)
{
    constexpr qsizetype piece = 4096;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype length = qMin(piece, text.size() - at);
        // Never half of a surrogate pair in a piece.
        if (at + length < text.size() && text.at(at + length - 1).isHighSurrogate())
            --length;
        stream << text.sliced(at, length);
        at += length;
    }
    stream << u'\n';
}

int Console::refuse(const QString &message)
{
    standardOutput().flush();
    standardError() << message << Qt::endl;
    return 1;
}
