#include <QFile>

#include "about/system_information.h"
#include "platform/file_existence.h"
#include "platform/program_start.h"
#include "platform/registry.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

class TestPlatformServices : public QObject
{
    Q_OBJECT

private slots:
    // The stand-in registry names an installed system-information tool, an ordinary file, which
    // then starts.
    void installedToolIsFoundAndStarts()
    {
        TestDirectory dir;
        const QByteArray previous = qgetenv("PATH");
        const auto read = [](const char *key, const char *value, std::u16string &text) {
            return GetKeyValue(systemRegistry(), 0x80000002, key, value, text);
        };
        std::u16string text = u"before";
        qputenv("PATH", QFile::encodeName(dir.path()));
        const bool unfound = !read("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", text) && text.empty();
        // A folder name that code page 932 cannot hold: the path comes through whole.
        QVERIFY(QDir().mkdir(u"Café"_s));
        // A script standing in for the tool, leaving a file behind when it runs.
        const QByteArray script = "#!/bin/sh\ntouch '" + dir.filePath(u"started"_s).toUtf8() + "'\n";
        writeFileBytes(u"Café/kinfocenter"_s, script);
        QVERIFY(QFile::setPermissions(u"Café/kinfocenter"_s, QFile::ReadOwner | QFile::ExeOwner));
        qputenv("PATH", QFile::encodeName(dir.filePath(u"Café"_s)));
        const bool foundLocation2 = read("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", text);
        const bool found = read("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", text);
        qputenv("PATH", previous);
        QVERIFY(unfound && found && !foundLocation2);
        QCOMPARE(QString::fromStdU16String(text), dir.filePath(u"Café/kinfocenter"_s));
        // A backslash separates folders as on Windows; a hidden file is no ordinary file.
        writeFileBytes(u"Café/.hidden"_s, "MZ");
        const auto ordinary = [&dir](const QString &name) {
            return isOrdinaryFile(dir.filePath(name).toStdU16String());
        };
        QVERIFY(isOrdinaryFile(text) && ordinary(u"Café\\kinfocenter"_s) && !ordinary(u"Café"_s));
        QVERIFY(!ordinary(u"Café\\.hidden"_s) && !ordinary(u"missing"_s) && !isOrdinaryFile(u""));
        QVERIFY(systemProgramStart().start(text));
        QTRY_VERIFY(QFile::exists(dir.filePath(u"started"_s)));
        QVERIFY(!systemProgramStart().start(u"/nowhere/msinfo32"));
        QVERIFY(!systemProgramStart().start(u""));
    }
};

QTEST_APPLESS_MAIN(TestPlatformServices)
#include "tst_platform_services.moc"
