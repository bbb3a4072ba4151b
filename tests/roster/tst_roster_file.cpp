#include <QTest>

#include <QFileInfo>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_size_limit.h"
#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

namespace {

QByteArray spaces(int count)
{
    return QByteArray(count, ' ');
}

bool isNeverWritten(const MeiboRecord &record)
{
    for (Field field : {Field::Namae, Field::Mail, Field::Tell, Field::Memo, Field::PicturePath}) {
        if (!record.isBlank(field) || record.get(field).size() != MeiboRecord::width(field))
            return false;
    }
    return true;
}

} // namespace

class TestRosterFile : public QObject
{
    Q_OBJECT

private slots:
    void recordLayout_data();
    void recordLayout();
    void allFieldsAtTheirOffsets();
    void readingPadsDecodedFields();
    void writeSlotFiveIntoEmptyFile();
    void readsPastTheEndDoNotGrowTheFile();
    void shortAndZeroFilledFilesReadAsBlank();
    void slotNumbersOutsideOneTo32767AreRefused_data();
    void slotNumbersOutsideOneTo32767AreRefused();
    void createsMissingFileEmpty();
    void fileSizeLimitFailsTheWrite();
    void followsTheNameBetweenWrites_data();
    void followsTheNameBetweenWrites();
};

void TestRosterFile::recordLayout_data()
{
    QTest::addColumn<QString>("namae");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ABC") << u"ABC"_s << QByteArray("ABC") + spaces(27);
    QTest::newRow("20 full-width keep 15")
        << QString(20, QChar(0x5C71)) << QByteArray("\x8E\x52").repeated(15);
    // 29 letters leave one byte: the double-byte character after them is left out whole.
    QTest::newRow("straddling") << QString(29, u'a') + u"山"_s << QByteArray(29, 'a') + " ";
    QTest::newRow("no Shift-JIS form") << u"Ä€x"_s << QByteArray("??x") + spaces(27);
    QTest::newRow("half-width kana") << u"ﾔﾏﾀﾞ"_s << QByteArray("\xD4\xCF\xC0\xDE") + spaces(26);
    QTest::newRow("longer than 30 characters") << QString(40, u'z') << QByteArray(30, 'z');
}

void TestRosterFile::recordLayout()
{
    QFETCH(QString, namae);
    QFETCH(QByteArray, bytes);
    MeiboRecord record;
    record.set(Field::Namae, namae);
    QCOMPARE(record.get(Field::Namae).size(), 30);
    const QByteArray slot = record.toBytes();
    QCOMPARE(slot.size(), 436);
    QCOMPARE(slot.first(30), bytes);
    QCOMPARE(slot.sliced(30), spaces(406));
}

void TestRosterFile::allFieldsAtTheirOffsets()
{
    MeiboRecord record;
    record.set(Field::Namae, u"N"_s);
    record.set(Field::Mail, u"M"_s);
    record.set(Field::Tell, u"T"_s);
    record.set(Field::Memo, u"一\r\n二"_s);
    record.set(Field::PicturePath, u"/p.png"_s);
    const QByteArray slot = record.toBytes();
    QCOMPARE(slot.at(0), 'N');
    QCOMPARE(slot.at(30), 'M');
    QCOMPARE(slot.at(60), 'T');
    QCOMPARE(slot.sliced(90, 6), QByteArray("\x88\xEA\r\n\x93\xF1"));
    QCOMPARE(slot.sliced(180, 6), QByteArray("/p.png"));
    QCOMPARE(MeiboRecord::fromBytes(slot), record);
}

void TestRosterFile::readingPadsDecodedFields()
{
    QByteArray slot = QByteArray("\x8E\x52\x93\x63") + spaces(432);
    const MeiboRecord record = MeiboRecord::fromBytes(slot);
    // Four bytes decode to two characters, padded to the field's 30.
    QCOMPARE(record.get(Field::Namae), u"山田"_s + QString(28, u' '));
    QVERIFY(record.isBlank(Field::Mail));
}

void TestRosterFile::writeSlotFiveIntoEmptyFile()
{
    TestDirectory dir;
    RosterFile file;
    QCOMPARE(file.open(), RosterFile::Status::Ok);
    MeiboRecord record;
    record.set(Field::Namae, u"ABC"_s);
    QCOMPARE(file.writeSlot(5, record), RosterFile::Status::Ok);
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 2180);
    const QByteArray bytes = readFileBytes(u"meibo.dat"_s);
    QCOMPARE(bytes.sliced(1744, 30), QByteArray("ABC") + spaces(27));
    for (int slot = 1; slot <= 4; ++slot) {
        MeiboRecord read;
        read.set(Field::Namae, u"left over"_s);
        QCOMPARE(file.readSlot(slot, read), RosterFile::Status::Ok);
        QVERIFY2(isNeverWritten(read), qPrintable(QString::number(slot)));
    }
    MeiboRecord read;
    QCOMPARE(file.readSlot(5, read), RosterFile::Status::Ok);
    QCOMPARE(read, record);
}

void TestRosterFile::readsPastTheEndDoNotGrowTheFile()
{
    TestDirectory dir;
    RosterFile file;
    QCOMPARE(file.open(), RosterFile::Status::Ok);
    MeiboRecord read;
    QCOMPARE(file.readSlot(32767, read), RosterFile::Status::Ok);
    QVERIFY(isNeverWritten(read));
    int visited = 0;
    QVERIFY(file.readLeadingSlots(100, [&](std::int32_t n, QByteArrayView bytes) {
        visited = n;
        QVERIFY(bytes.isEmpty());
    }));
    QCOMPARE(visited, 100);
    file.close();
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 0);
}

void TestRosterFile::shortAndZeroFilledFilesReadAsBlank()
{
    TestDirectory dir;
    // One whole slot of zero bytes, then a slot cut off after its name.
    writeFileBytes(u"meibo.dat"_s, QByteArray(436, '\0') + QByteArray("Tanaka") + spaces(10));
    RosterFile file;
    QCOMPARE(file.open(), RosterFile::Status::Ok);
    MeiboRecord read;
    QCOMPARE(file.readSlot(1, read), RosterFile::Status::Ok);
    QVERIFY(isNeverWritten(read));
    QCOMPARE(file.readSlot(2, read), RosterFile::Status::Ok);
    QCOMPARE(read.get(Field::Namae), u"Tanaka"_s + QString(24, u' '));
    QVERIFY(read.isBlank(Field::PicturePath));
    QCOMPARE(read.get(Field::PicturePath).size(), 256);
}

void TestRosterFile::slotNumbersOutsideOneTo32767AreRefused_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("32768") << 32768;
    QTest::newRow("largest 32-bit") << 2147483647;
}

void TestRosterFile::slotNumbersOutsideOneTo32767AreRefused()
{
    QFETCH(int, slot);
    TestDirectory dir;
    RosterFile file;
    QCOMPARE(file.open(), RosterFile::Status::Ok);
    MeiboRecord record;
    record.set(Field::Namae, u"X"_s);
    QCOMPARE(file.writeSlot(slot, record), RosterFile::Status::BadSlotNumber);
    QCOMPARE(file.readSlot(slot, record), RosterFile::Status::BadSlotNumber);
    file.close();
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 0);
}

void TestRosterFile::createsMissingFileEmpty()
{
    TestDirectory dir;
    writeFileBytes(u"other"_s, "x");
    RosterFile file;
    QCOMPARE(file.open(), RosterFile::Status::Ok);
    QVERIFY(QFileInfo::exists(u"meibo.dat"_s));
    QCOMPARE(QFileInfo(u"meibo.dat"_s).size(), 0);
}

void TestRosterFile::fileSizeLimitFailsTheWrite()
{
    TestDirectory dir;
    // A child of its own, so that the limit and the signal's handling end with it.
    const pid_t child = ::fork();
    if (child == 0) {
        letFileSizeLimitFailWrites();
        RosterFile file;
        MeiboRecord record;
        record.set(Field::Namae, u"A"_s);
        const bool first = file.open() == RosterFile::Status::Ok
                           && file.writeSlot(1, record) == RosterFile::Status::Ok;
        const rlimit limit = {436 + 100, 436 + 100};
        const bool limited = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        const bool refused = file.writeSlot(2, record) == RosterFile::Status::Failed;
        ::_exit(first && limited && refused ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "ended by a signal");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readFileBytes(u"meibo.dat"_s), QByteArray("A") + spaces(435));
}

void TestRosterFile::followsTheNameBetweenWrites_data()
{
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QByteArray>("firstSlot");
    QTest::newRow("replaced by a rename") << false << QByteArray("A") + spaces(435);
    QTest::newRow("deleted") << true << QByteArray(436, '\0');
}

void TestRosterFile::followsTheNameBetweenWrites()
{
    QFETCH(bool, deleted);
    QFETCH(QByteArray, firstSlot);
    TestDirectory dir;
    RosterFile file;
    QCOMPARE(file.open(), RosterFile::Status::Ok);
    MeiboRecord record;
    record.set(Field::Namae, u"A"_s);
    QCOMPARE(file.writeSlot(1, record), RosterFile::Status::Ok);
    if (deleted) {
        QVERIFY(QFile::remove(u"meibo.dat"_s));
    } else {
        // As a sync tool does: a copy written aside, then renamed over the name.
        QVERIFY(QFile::copy(u"meibo.dat"_s, u"meibo.dat.new"_s));
        QCOMPARE(std::rename("meibo.dat.new", "meibo.dat"), 0);
    }
    record.set(Field::Namae, u"B"_s);
    QCOMPARE(file.writeSlot(2, record), RosterFile::Status::Ok);
    QCOMPARE(readFileBytes(u"meibo.dat"_s), firstSlot + "B" + spaces(435));
    // The file in the folder is the one locked now.
    RosterFile other;
    QCOMPARE(other.open(), RosterFile::Status::Locked);
}

QTEST_APPLESS_MAIN(TestRosterFile)
#include "tst_roster_file.moc"
