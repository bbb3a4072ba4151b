#include <cstdio>

#include "platform/file_size_limit.h"
#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

static MeiboRecord named(const QString &name)
{
    MeiboRecord record;
    record.set(Field::Namae, name);
    return record;
}

class TestRosterFile : public QObject
{
    Q_OBJECT

private slots:
    // Each field too long or padded, so that every width and offset shows in the bytes; zero
    // bytes, the missing end of a cut-off slot and a slot past the end read as blanks.
    void slotLayoutAndBounds()
    {
        TestDirectory dir;
        const QByteArray blank(436, ' ');
        writeFileBytes(u"meibo.dat"_s, QByteArray(436, '\0') + "Tanaka" + blank.first(10));
        MeiboRecord record = named(QString(20, u'山'));
        record.set(Field::Mail, QString(40, u'm'));
        record.set(Field::Tell, u"T"_s);
        record.set(Field::Memo, u"一\r\n二"_s + QString(100, u'x'));
        record.set(Field::PicturePath, u"/p.png"_s + QString(300, u'p'));
        const QByteArray slot = QByteArray("\x8E\x52").repeated(15) + QByteArray(30, 'm') + "T"
                                + blank.first(29) + "\x88\xEA\r\n\x93\xF1" + QByteArray(84, 'x')
                                + "/p.png" + QByteArray(250, 'p');
        RosterFile file;
        QCOMPARE(file.open(), RosterFile::Status::Ok);
        MeiboRecord read;
        for (const int outside : {0, 32768}) {
            QCOMPARE(file.writeSlot(outside, record), RosterFile::Status::BadSlotNumber);
            QCOMPARE(file.readSlot(outside, read), RosterFile::Status::BadSlotNumber);
        }
        QCOMPARE(file.writeSlot(5, record), RosterFile::Status::Ok);
        QCOMPARE(readFileBytes(u"meibo.dat"_s).mid(1744), slot);
        const QList<int> numbers = {1, 2, 3, 4, 32767, 5};
        const QByteArrayList expected = {blank, "Tanaka" + blank.first(430), blank, blank, blank, slot};
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            read = named(u"left over"_s);
            QCOMPARE(file.readSlot(numbers.at(i), read), RosterFile::Status::Ok);
            QCOMPARE(read.toBytes(), expected.at(i));
        }
        // Fifteen characters from thirty bytes, padded to the field's 30.
        QCOMPARE(read.get(Field::Namae), QString(15, u'山') + QString(15, u' '));
    }

    void fileSizeLimitFailsTheWrite()
    {
        SKIP_UNLESS_SYSTEM_CAN(ChildSetup);
        TestDirectory dir;
        // A child of its own, so that the limit and the signal's handling end with it.
        const bool refused = inChildProcess([] {
            letFileSizeLimitFailWrites();
            RosterFile file;
            const bool first = file.open() == RosterFile::Status::Ok
                               && file.writeSlot(1, named(u"A"_s)) == RosterFile::Status::Ok
                               && file.writeSlot(3, named(u"C"_s)) == RosterFile::Status::Ok;
            // Slot 2 lies inside the file and crosses the limit: its first 100 bytes get written.
            return first && limitFileSize(436 + 100)
                   && file.writeSlot(2, named(u"B"_s)) == RosterFile::Status::Failed;
        });
        QVERIFY2(refused, "the write was not refused");
        QCOMPARE(readFileBytes(u"meibo.dat"_s),
                 "A" + QByteArray(435, ' ') + QByteArray(436, '\0') + "C" + QByteArray(435, ' '));
    }

    void followsTheNameBetweenWrites_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("replaced by a rename") << false;
        QTest::newRow("deleted") << true;
    }
    void followsTheNameBetweenWrites()
    {
        QFETCH(bool, deleted);
        SKIP_UNLESS_SYSTEM_CAN(ReplaceOpenFile);
        TestDirectory dir;
        RosterFile file;
        QCOMPARE(file.open(), RosterFile::Status::Ok);
        QCOMPARE(file.writeSlot(1, named(u"A"_s)), RosterFile::Status::Ok);
        // As a sync tool does: a copy written aside, then renamed over the name.
        QVERIFY(deleted ? QFile::remove(u"meibo.dat"_s)
                        : QFile::copy(u"meibo.dat"_s, u"meibo.dat.new"_s)
                              && std::rename("meibo.dat.new", "meibo.dat") == 0);
        QCOMPARE(file.writeSlot(2, named(u"B"_s)), RosterFile::Status::Ok);
        // A deleted file leaves a never-written stretch before slot 2.
        const QByteArray firstSlot = deleted ? QByteArray(436, '\0') : "A" + QByteArray(435, ' ');
        QCOMPARE(readFileBytes(u"meibo.dat"_s), firstSlot + "B" + QByteArray(435, ' '));
        // The file in the folder is the one locked now.
        RosterFile other;
        QCOMPARE(other.open(), RosterFile::Status::Locked);
    }
};

QTEST_APPLESS_MAIN(TestRosterFile)
#include "tst_roster_file.moc"
