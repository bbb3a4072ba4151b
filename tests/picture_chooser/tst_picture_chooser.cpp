#include <QAccessible>
#include <QComboBox>
#include <QListWidget>

#include "picture_chooser/folder_list_box.h"
#include "picture_chooser/picture_path.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

static const QString notAPicture = u"画像ファイルでないかサポートしていない拡張子です。  (481)"_s;
static const QString nothingSelected = u"画像ファイルが選択されていません。"_s;

// The program started in a folder holding a.png, b.jpg, notes.txt, .hidden.png and sub/
// with bad.txt, its chooser open.
[[nodiscard]] static bool startWithPictures(Program &program)
{
    writeFileBytes(u"a.png"_s, pngBytes(Qt::red));
    writeFileBytes(u"notes.txt"_s, "not a picture\n");
    writeFileBytes(u".hidden.png"_s, pngBytes(Qt::green));
    return QImage::fromData(pngBytes(Qt::blue)).save(u"b.jpg"_s, "JPG") && QDir().mkdir(u"sub"_s)
           && QFile(u"sub/bad.txt"_s).open(QFile::WriteOnly) && program.start() && program.click(u"Command3"_s);
}

// Clicks a line of the file list (File1), or double-clicks one of the folder list (Dir1) as the
// system delivers it: a click, then the second press as a double-click.
[[nodiscard]] static bool clickLine(const Program &program, const QString &list, const QString &name)
{
    auto *box = program.find<QListWidget>(u"Form1/"_s + list);
    const QList<QListWidgetItem *> found = box->findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return false;
    // Near the line's start: a long name's line reaches past the box.
    const QPoint at = box->visualItemRect(found.first()).topLeft() + QPoint(4, 4);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
    if (list == u"Dir1")
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents(); // the file box answers once the click is done
    return true;
}

class TestPictureChooser : public QObject
{
    Q_OBJECT

private slots:
    void failedPreviewAndSelect()
    {
        Program program;
        QVERIFY(startWithPictures(program));
        // The chooser starts in the current folder as the system reports it, links resolved.
        const QString here = QDir::current().canonicalPath();
        // Opened on the current folder, with its ordinary files only, none chosen, the list focused.
        PictureChooserWindow *chooser = program.windows.pictureChooser();
        auto *files = program.find<QListWidget>(u"Form1/File1"_s);
        QCOMPARE(chooser->windowTitle(), u"画像の選択"_s);
        QCOMPARE(files->count(), 5); // a.png, b.jpg, meibo.dat, notes.txt and settei.ini
        QVERIFY(files->selectedItems().isEmpty() && QTest::qWaitForWindowActive(chooser));
        QCOMPARE(QApplication::focusWidget(), files);
        // "picture" again brings the same chooser to the front.
        QVERIFY(program.click(u"Command3"_s) && program.windows.pictureChooser() == chooser);
        QVERIFY(program.click(u"Form1/Command1"_s));
        QCOMPARE(program.text(u"Form1/hantei"_s), u"失敗"_s);
        QVERIFY(clickLine(program, u"File1"_s, u"b.jpg"_s) && clickLine(program, u"File1"_s, u"notes.txt"_s));
        // A screen reader hears the status line's message, described as the status.
        QAccessibleInterface *status = QAccessible::queryAccessibleInterface(program.find(u"Form1/hantei"_s));
        QCOMPARE(status->text(QAccessible::Name) + u'|' + status->text(QAccessible::Description),
                 u"画像を指定してね|状態"_s);
        // A failure keeps the preview (decoded at the size of the box inside its frame) and the name
        // last previewed, even in another folder.
        QCOMPARE(program.find<QLabel>(u"Form1/Image1"_s)->pixmap().size(), QSize(103, 87));
        QVERIFY(clickLine(program, u"Dir1"_s, u"sub"_s) && clickLine(program, u"File1"_s, u"bad.txt"_s));
        QCOMPARE(program.state.picture.PictureFolder + u'|' + program.state.picture.PictureFileName,
                 here + u"/sub|b.jpg"_s);
        // sub/b.jpg does not exist: nothing is handed to the main window.
        QVERIFY(program.click(u"Form1/Command1"_s));
        QCOMPARE(program.messages, (QStringList{nothingSelected, notAPicture, notAPicture, nothingSelected}));
        // Back up through the ancestor line, as in any folder box (sub is then found again).
        QVERIFY(clickLine(program, u"Dir1"_s, QDir::current().dirName()));
        // A drive whose mount point has gone away, and a folder removed after the box listed it:
        // each its message, and nothing moves. Back on the drive that holds the current folder,
        // browsing starts there again.
        auto *drives = program.find<QComboBox>(u"Form1/Drive1"_s);
        const int driveBefore = drives->currentIndex();
        drives->addItem(u"/gone"_s, program.dir.filePath(u"gone"_s));
        drives->setCurrentIndex(drives->count() - 1);
        QCOMPARE(program.messages.last(), u"そのドライブからは読み取れません。フロッピー又はCDは入ってますか? (68)"_s);
        QCOMPARE(program.text(u"Form1/hantei"_s), u"FYかCDが入ってないよ"_s);
        QCOMPARE(files->count(), 5);
        drives->setCurrentIndex(driveBefore);
        QVERIFY(QDir().rename(u"sub"_s, u"moved"_s) && clickLine(program, u"Dir1"_s, u"sub"_s));
        QCOMPARE(program.messages.last(), u"そのフォルダは開けません。 (68)"_s);
        QCOMPARE(program.find<FolderListBox>(u"Form1/Dir1"_s)->folder(), here);
    }

    void pathsTheRosterCannotKeep_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("pathBytes"); // 0: the file is photo.png
        QTest::addColumn<bool>("handedOver");
        QTest::newRow("256 bytes in Shift-JIS") << u"写真"_s << 256 << true;
        QTest::newRow("257 bytes in Shift-JIS") << u"写真"_s << 257 << false;
        QTest::newRow("letter without a Shift-JIS form") << u"Été 2023"_s << 0 << false;
        QTest::newRow("question mark") << u"why?"_s << 0 << true;
    }
    void pathsTheRosterCannotKeep()
    {
        QFETCH(QString, folder);
        QFETCH(int, pathBytes);
        QFETCH(bool, handedOver);
        Program program;
        const QString here = QDir::current().canonicalPath();
        // The four kanji of the path take two bytes each in Shift-JIS, three in UTF-8.
        const QString name = pathBytes > 0 ? u"写真"_s + QString(pathBytes - here.size() - 14, u'a') + u".png"_s
                                           : u"photo.png"_s;
        QVERIFY(QDir().mkdir(folder));
        writeFileBytes(folder + u'/' + name, pngBytes(Qt::green));
        QVERIFY(startWithPictures(program) && clickLine(program, u"Dir1"_s, folder));
        program.state.picture.CurrentPicturePath = u"/kept.png"_s;
        QVERIFY(clickLine(program, u"File1"_s, name) && program.click(u"Form1/Command1"_s));
        QCOMPARE(program.windows.pictureChooser() == nullptr, handedOver);
        const QString path = handedOver ? here + u'/' + folder + u'/' + name : u"/kept.png"_s;
        QCOMPARE(program.state.picture.CurrentPicturePath, path);
        QCOMPARE(program.find<QLabel>(u"Image1"_s)->pixmap().isNull(), !handedOver);
        const QString refused = u"この画像は登録できません。場所の名前にShift-JISで表せない"
                                u"文字があるか、256バイトを超えています。"_s;
        QCOMPARE(program.messages, handedOver ? QStringList() : QStringList{refused});
    }

    void pictureThatNeverLoads()
    {
        Program program;
        QVERIFY(startWithPictures(program));
        LeasedFile held(u"a.png"_s);
        QVERIFY(clickLine(program, u"File1"_s, u"a.png"_s));
        // The chooser goes on long before the file is let go.
        QCOMPARE(program.messages, QStringList{u"画像ファイルでないかサポートしていない拡張子です。  (286)"_s});
    }

    void refillAndEntryDisplayEmptyTheHandOver()
    {
        Program program;
        QVERIFY(startWithPictures(program) && clickLine(program, u"File1"_s, u"a.png"_s));
        // Showing an entry in the main window, with the chooser left open.
        QVERIFY(program.choose(0));
        QCOMPARE(program.state.picture.PictureFolder + program.state.picture.PictureFileName, QString());
        // A click on the file still highlighted takes it again; a register's refill empties it again.
        QVERIFY(clickLine(program, u"File1"_s, u"a.png"_s));
        QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);
        QVERIFY(program.registerEntry(u"1"_s, u"Taro"_s));
        QCOMPARE(program.state.picture.PictureFolder + program.state.picture.PictureFileName, QString());
        // Handed into a main window the settings dialog unloaded: loaded afresh, its refill empties it.
        QVERIFY(program.click(u"open"_s) && clickLine(program, u"File1"_s, u"a.png"_s));
        QVERIFY(program.click(u"Form1/Command1"_s));
        MainWindow *main = program.windows.mainWindow();
        QVERIFY(main->isVisible() && program.state.picture.CurrentPicturePath.isEmpty());
        // The dialog's OK then only raises the main window already there.
        QVERIFY(program.click(u"Settei/OK"_s));
        QCOMPARE(program.windows.mainWindow(), main);
    }

    void folderPaths()
    {
        // The root stays "/", so a file clicked there never reads as no file clicked.
        QCOMPARE(PicturePath::handOverFolder(u"/"_s), u"/"_s);
        QCOMPARE(PicturePath::joined(u"/"_s, u"a.png"_s), u"/a.png"_s);
        // Browsing a drive starts in the folder when that drive holds it; the list need not hold
        // the folder's own mount point, as in a chroot.
        QCOMPARE(folderOnDrive({{u"/"_s, {}}, {u"/sr"_s, {}}}, u"/"_s, u"/srv/photos"_s), u"/srv/photos"_s);
        QCOMPARE(folderOnDrive({{u"/"_s, {}}, {u"/srv"_s, {}}}, u"/"_s, u"/srv/photos"_s), u"/"_s);
        QCOMPARE(folderOnDrive({{u"/srv"_s, {}}, {u"/"_s, {}}}, u"/srv"_s, u"/srv/photos"_s), u"/srv/photos"_s);
    }
};

QTEST_MAIN(TestPictureChooser)
#include "tst_picture_chooser.moc"
