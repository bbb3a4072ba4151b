#include "tool/console.h"

#include <QString>
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

int Console::refuse(const QString &message)
{
    standardOutput().flush();
    standardError() << message << Qt::endl;
    return 1;
}
