#include "platform/user_data_folder.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

class TestUserDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void createdWhenMissingAndEnteredOrReported()
    {
        SKIP_UNLESS_SYSTEM_CAN(DataHome);
        TestDirectory dir;
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(u"data home"_s)));
        QCOMPARE(UserDataFolder::path(), dir.filePath(u"data home/vedrin"_s));
        QCOMPARE(UserDataFolder::enter(), std::nullopt);
        QCOMPARE(QDir::currentPath(), dir.filePath(u"data home/vedrin"_s));
        // A second start finds it and changes nothing.
        QCOMPARE(UserDataFolder::enter(), std::nullopt);

        // A file in the folder's place.
        QVERIFY(QDir::setCurrent(dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
        writeFileBytes(u"vedrin"_s, "not a folder");
        const std::optional<QString> failure = UserDataFolder::enter();
        QVERIFY(failure.value_or(QString()).startsWith(
            u"データフォルダ "_s + dir.filePath(u"vedrin"_s) + u" を開けませんでした: "_s));
        QCOMPARE(QDir::currentPath(), dir.path());
    }
};

QTEST_APPLESS_MAIN(TestUserDataFolder)
#include "tst_user_data_folder.moc"
