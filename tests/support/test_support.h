#pragma once

// Every test includes this: Qt Test and the file classes the tests read their results with.
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// A fresh, empty current directory for one test case; the previous one comes back afterwards.
// The helpers below end the test program when the system refuses them what a case needs.
class TestDirectory final
{
public:
    TestDirectory();
    ~TestDirectory() { QDir::setCurrent(m_previous); }
    Q_DISABLE_COPY(TestDirectory)

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

QByteArray readFileBytes(const QString &name);
void writeFileBytes(const QString &name, const QByteArray &bytes);
// A small real PNG picture of the given colour.
QByteArray pngBytes(const QColor &colour, int width = 8, int height = 6);

// The faults the tests make on the system itself.
#include "support/system_faults.h"
