#include <optional>

#include "platform/picture_loader.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

class TestPictureLoader : public QObject
{
    Q_OBJECT

private slots:
    // Error number 0 is a success; of these files only red.png (8 x 6) is a picture.
    void loads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("trailing spaces") << u"red.png"_s + QString(200, u' ') << 0;
        QTest::newRow("empty path") << QString() << 0;
        QTest::newRow("missing file") << u"missing.png"_s << 53;
        QTest::newRow("unreadable") << u"secret.png"_s << 70;
        QTest::newRow("missing folder") << u"nowhere/missing.png"_s << 76;
        QTest::newRow("fifo") << u"fifo"_s << 75;
        QTest::newRow("truncated png") << u"truncated.png"_s << 481;
        QTest::newRow("header claiming 60000 x 60000") << u"huge.png"_s << 481;
    }
    void loads()
    {
        QFETCH(QString, name);
        QFETCH(int, errorNumber);
        if (name == u"fifo")
            SKIP_UNLESS_SYSTEM_CAN(Fifo);
        if (name == u"secret.png")
            SKIP_UNLESS_SYSTEM_CAN(Privileges);
        TestDirectory dir;
        writeFileBytes(u"red.png"_s, pngBytes(Qt::red, 8, 6));
        writeFileBytes(u"secret.png"_s, pngBytes(Qt::green));
        QVERIFY(QFile::setPermissions(u"secret.png"_s, QFileDevice::WriteOwner));
        QVERIFY(!canMake(SystemFault::Fifo) || makeFifo(u"fifo"_s));
        writeFileBytes(u"truncated.png"_s, pngBytes(Qt::blue, 64, 64).first(60));
        const QByteArray huge("\0\0\xEA\x60\0\0\xEA\x60", 8);
        writeFileBytes(u"huge.png"_s, pngBytes(Qt::white, 1, 1).replace(16, 8, huge));
        std::optional<WithoutPrivileges> unprivileged;
        if (name == u"secret.png")
            unprivileged.emplace(dir);
        const PictureLoad load = loadPicture(name);
        QCOMPARE(load.errorNumber, errorNumber);
        QCOMPARE(load.picture.size(), name.startsWith(u"red.png") ? QSize(8, 6) : QSize(0, 0));
    }
};

QTEST_MAIN(TestPictureLoader)
#include "tst_picture_loader.moc"
