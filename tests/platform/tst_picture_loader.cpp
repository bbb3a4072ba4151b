#include <QTest>

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <sys/stat.h>

#include "platform/picture_loader.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

class TestPictureLoader : public QObject
{
    Q_OBJECT

private slots:
    void loadsPicturesWithoutTrailingSpaces();
    void emptyPathGivesEmptyPicture();
    void failures_data();
    void failures();
    void unreadableFile();
    void headerClaimingHugeImageFailsQuickly();
};

void TestPictureLoader::loadsPicturesWithoutTrailingSpaces()
{
    TestDirectory dir;
    writeFileBytes(u"red.png"_s, pngBytes(Qt::red, 8, 6));
    const PictureLoad load = loadPicture(dir.filePath(u"red.png"_s) + QString(200, u' '));
    QVERIFY(load.succeeded());
    QCOMPARE(load.picture.size(), QSize(8, 6));
    QCOMPARE(QColor(load.picture.pixel(0, 0)), QColor(Qt::red));
}

void TestPictureLoader::emptyPathGivesEmptyPicture()
{
    const PictureLoad load = loadPicture(QString());
    QVERIFY(load.succeeded());
    QVERIFY(load.picture.isNull());
}

void TestPictureLoader::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("errorNumber");
    QTest::newRow("missing file") << u"missing.png"_s << 53;
    QTest::newRow("missing folder") << u"nowhere/missing.png"_s << 76;
    QTest::newRow("folder") << u"folder"_s << 75;
    QTest::newRow("fifo") << u"fifo"_s << 75;
    QTest::newRow("device") << u"/dev/zero"_s << 75;
    QTest::newRow("text file") << u"notes.txt"_s << 481;
    QTest::newRow("one byte") << u"one.png"_s << 481;
    QTest::newRow("truncated png") << u"truncated.png"_s << 481;
    QTest::newRow("empty file") << u"empty.jpg"_s << 481;
}

void TestPictureLoader::failures()
{
    QFETCH(QString, name);
    QFETCH(int, errorNumber);
    TestDirectory dir;
    QDir().mkdir(u"folder"_s);
    QCOMPARE(::mkfifo("fifo", 0600), 0);
    writeFileBytes(u"notes.txt"_s, "just some text\r\n");
    writeFileBytes(u"one.png"_s, "\x89");
    writeFileBytes(u"truncated.png"_s, pngBytes(Qt::blue, 64, 64).first(60));
    writeFileBytes(u"empty.jpg"_s, QByteArray());
    QElapsedTimer timer;
    timer.start();
    const PictureLoad load = loadPicture(name);
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(load.errorNumber, errorNumber);
    QVERIFY(load.picture.isNull());
}

void TestPictureLoader::unreadableFile()
{
    TestDirectory dir;
    writeFileBytes(u"secret.png"_s, pngBytes(Qt::green));
    QVERIFY(QFile::setPermissions(u"secret.png"_s, QFileDevice::WriteOwner));
    WithoutPrivileges unprivileged(dir);
    QCOMPARE(loadPicture(u"secret.png"_s).errorNumber, 70);
}

void TestPictureLoader::headerClaimingHugeImageFailsQuickly()
{
    TestDirectory dir;
    // A real PNG whose header says 60000 x 60000 pixels.
    QByteArray png = pngBytes(Qt::white, 1, 1);
    const QByteArray size("\x00\x00\xEA\x60\x00\x00\xEA\x60", 8);
    png.replace(16, 8, size);
    writeFileBytes(u"huge.png"_s, png);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(loadPicture(u"huge.png"_s).errorNumber, 481);
    QVERIFY(timer.elapsed() < 1000);
}

QTEST_MAIN(TestPictureLoader)
#include "tst_picture_loader.moc"
