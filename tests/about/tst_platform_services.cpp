#include <QTest>

#include <QDir>
#include <QFile>

#include "about/system_information.h"
#include "platform/file_existence.h"
#include "platform/program_start.h"
#include "platform/registry.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

// An executable script that leaves a file behind when it runs.
void writeScript(const QString &name, const QString &marker)
{
    writeFileBytes(name, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool readMsinfo(std::u16string &text)
{
    return GetKeyValue(systemRegistry(), 0x80000002, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", text);
}

} // namespace

class TestPlatformServices : public QObject
{
    Q_OBJECT

private slots:
    void ordinaryFile_data();
    void ordinaryFile();
    void startsDetachedProgram();
    void standInRegistryReportsInstalledTool();
};

void TestPlatformServices::ordinaryFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("expected");
    QTest::newRow("plain file") << u"plain.exe"_s << true;
    QTest::newRow("backslash separator") << u"sub\\inner.exe"_s << true;
    QTest::newRow("folder") << u"sub"_s << false;
    QTest::newRow("hidden file") << u".hidden.exe"_s << false;
    QTest::newRow("missing") << u"missing.exe"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestPlatformServices::ordinaryFile()
{
    QFETCH(QString, path);
    QFETCH(bool, expected);
    TestDirectory dir;
    QVERIFY(QDir().mkdir(u"sub"_s));
    for (const QString &name : {u"plain.exe"_s, u".hidden.exe"_s, u"sub/inner.exe"_s})
        writeFileBytes(name, "MZ");
    const QString full = path.isEmpty() ? path : dir.path() + u'/' + path;
    QCOMPARE(isOrdinaryFile(full.toStdU16String()), expected);
}

void TestPlatformServices::startsDetachedProgram()
{
    TestDirectory dir;
    writeScript(u"tool"_s, dir.filePath(u"started"_s));
    QVERIFY(systemProgramStart().start(dir.filePath(u"tool"_s).toStdU16String()));
    QTRY_VERIFY(QFile::exists(dir.filePath(u"started"_s)));
    QVERIFY(!systemProgramStart().start(u"/nowhere/msinfo32"));
    QVERIFY(!systemProgramStart().start(u""));
}

void TestPlatformServices::standInRegistryReportsInstalledTool()
{
    TestDirectory dir;
    const QByteArray previous = qgetenv("PATH");
    std::u16string text = u"before";
    qputenv("PATH", QFile::encodeName(dir.path()));
    const bool foundWithoutTool = readMsinfo(text);
    QVERIFY(text.empty());
    // A folder name that code page 932 cannot hold: the path comes through whole.
    QVERIFY(QDir().mkdir(u"Café"_s));
    writeScript(u"Café/kinfocenter"_s, dir.filePath(u"unused"_s));
    qputenv("PATH", QFile::encodeName(dir.filePath(u"Café"_s)));
    const bool found = readMsinfo(text);
    const QString tool = QString::fromStdU16String(text);
    const bool foundLocation2 = GetKeyValue(systemRegistry(), 0x80000002,
                                            "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", text);
    qputenv("PATH", previous);
    QVERIFY(!foundWithoutTool && found && !foundLocation2);
    QCOMPARE(tool, dir.filePath(u"Café/kinfocenter"_s));
}

QTEST_APPLESS_MAIN(TestPlatformServices)
#include "tst_platform_services.moc"
