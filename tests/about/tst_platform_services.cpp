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

class PathVariable final
{
public:
    explicit PathVariable(const QByteArray &value) : m_previous(qgetenv("PATH"))
    {
        qputenv("PATH", value);
    }
    ~PathVariable() { qputenv("PATH", m_previous); }
    PathVariable(const PathVariable &) = delete;
    PathVariable &operator=(const PathVariable &) = delete;

private:
    QByteArray m_previous;
};

} // namespace

class TestPlatformServices : public QObject
{
    Q_OBJECT

private slots:
    void ordinaryFile_data();
    void ordinaryFile();
    void startsDetachedProgram();
    void startFailsForMissingOrEmpty_data();
    void startFailsForMissingOrEmpty();
    void standInRegistryReportsInstalledTool();
    void standInRegistryWithoutToolMissesEveryKey();
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
    writeFileBytes(u"plain.exe"_s, "MZ");
    writeFileBytes(u".hidden.exe"_s, "MZ");
    QVERIFY(QDir().mkdir(u"sub"_s));
    writeFileBytes(u"sub/inner.exe"_s, "MZ");
    const QString full = path.isEmpty() ? path : dir.path() + u'/' + path;
    QCOMPARE(isOrdinaryFile(full.toStdU16String()), expected);
}

void TestPlatformServices::startsDetachedProgram()
{
    TestDirectory dir;
    writeScript(u"tool"_s, dir.filePath(u"started"_s));
    QVERIFY(systemProgramStart().start(dir.filePath(u"tool"_s).toStdU16String()));
    QTRY_VERIFY(QFile::exists(dir.filePath(u"started"_s)));
}

void TestPlatformServices::startFailsForMissingOrEmpty_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("missing program") << u"/nowhere/msinfo32"_s;
    QTest::newRow("empty") << QString();
}

void TestPlatformServices::startFailsForMissingOrEmpty()
{
    QFETCH(QString, commandLine);
    QVERIFY(!systemProgramStart().start(commandLine.toStdU16String()));
}

void TestPlatformServices::standInRegistryReportsInstalledTool()
{
    TestDirectory dir;
    // A folder name that code page 932 cannot hold: the path comes through whole.
    QVERIFY(QDir().mkdir(u"Café"_s));
    writeScript(u"Café/kinfocenter"_s, dir.filePath(u"unused"_s));
    const PathVariable path(QFile::encodeName(dir.filePath(u"Café"_s)));
    std::u16string text;
    QVERIFY(GetKeyValue(systemRegistry(), 0x80000002, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                        "PATH", text));
    QCOMPARE(QString::fromStdU16String(text), dir.filePath(u"Café/kinfocenter"_s));
    QVERIFY(!GetKeyValue(systemRegistry(), 0x80000002,
                         "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", text));
}

void TestPlatformServices::standInRegistryWithoutToolMissesEveryKey()
{
    TestDirectory dir;
    const PathVariable path(QFile::encodeName(dir.path()));
    std::u16string text = u"before";
    QVERIFY(!GetKeyValue(systemRegistry(), 0x80000002, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                         "PATH", text));
    QVERIFY(text.empty());
}

QTEST_APPLESS_MAIN(TestPlatformServices)
#include "tst_platform_services.moc"
