#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QListWidget>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include "printing/print_window.h"
#include "support/program.h"

using namespace Qt::StringLiterals;
using Field = MeiboRecord::Field;

namespace {

QByteArray roster(const QList<QPair<QString, QString>> &entries)
{
    QByteArray bytes;
    for (const auto &[name, memo] : entries) {
        MeiboRecord record;
        record.set(Field::Namae, name);
        record.set(Field::Memo, memo);
        bytes += record.toBytes();
    }
    return bytes;
}

PrintWindow *printWindow(const QString &name)
{
    PrintWindow *found = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible()) {
            if (found)
                return nullptr; // two of them
            found = qobject_cast<PrintWindow *>(window);
        }
    }
    return found;
}

} // namespace

class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void printsFromTheMenu()
    {
        Program program("10,\"\x8D\x82\x8B\xB4\"\r\n", // 高橋
                        roster({{u"山田"_s, u"〒100-0001 東京都千代田区千代田"_s},
                                {u"佐藤"_s, u"大阪市北区"_s},
                                {u"鈴木"_s, u"〒530-0001 大阪市北区梅田"_s}}));
        QVERIFY(program.start());
        QVERIFY(program.click(u"postcardPrinting"_s) && program.click(u"postcardPrinting"_s));
        QVERIFY(program.click(u"rosterPrinting"_s));
        PrintWindow *postcards = printWindow(u"PostcardPrinting"_s);
        PrintWindow *sheet = printWindow(u"RosterPrinting"_s);
        QVERIFY(postcards && sheet);
        QCOMPARE(postcards->windowTitle(), u"はがき宛名印刷"_s);
        QCOMPARE(sheet->windowTitle(), u"名簿を印刷"_s);
        for (PrintWindow *window : {postcards, sheet}) {
            for (QWidget *control : window->findChildren<QWidget *>()) {
                const bool isControl =
                    qobject_cast<QAbstractButton *>(control) || qobject_cast<QComboBox *>(control)
                    || qobject_cast<QAbstractSpinBox *>(control) || qobject_cast<QLineEdit *>(control)
                    || qobject_cast<QPlainTextEdit *>(control) || qobject_cast<QListWidget *>(control)
                    || qobject_cast<QPrintPreviewWidget *>(control);
                if (isControl && control->parentWidget() == window)
                    QVERIFY2(!control->objectName().isEmpty() && !control->accessibleName().isEmpty(),
                             control->metaObject()->className());
            }
        }

        postcards->findChild<QRadioButton *>(u"rangeEntries"_s)->setChecked(true);
        postcards->findChild<QSpinBox *>(u"rangeFrom"_s)->setValue(2);
        postcards->findChild<QSpinBox *>(u"rangeTo"_s)->setValue(3);
        QTest::keyClicks(postcards->findChild<QLineEdit *>(u"senderPostalCode"_s), u"150-0001"_s);
        auto *warnings = postcards->findChild<QListWidget *>(u"warnings"_s);
        QTRY_COMPARE(warnings->count() > 0 ? warnings->item(0)->text() : QString(),
                     u"No. 2 佐藤: 郵便番号がありません"_s);
        QCOMPARE(postcards->chosenEntries().size(), 2);
        // The rows chosen in Yomi, the first and the last, when that choice is taken.
        QVERIFY(program.click(u"yomi"_s));
        QTableView *table = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            table = table ? table : window->findChild<QTableView *>(u"entryTable"_s);
        QVERIFY(table);
        table->clearSelection();
        for (int row : {0, 2})
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        postcards->findChild<QRadioButton *>(u"chosenEntries"_s)->setChecked(true);
        QCOMPARE(postcards->chosenEntries().size(), 2);
        postcards->findChild<QRadioButton *>(u"rangeEntries"_s)->setChecked(true);
        QVERIFY(postcards->saveAs(u"card.pdf"_s));
        QVERIFY(readFileBytes(u"card.pdf"_s).startsWith("%PDF-"));
        QVERIFY(readFileBytes(u"insatsu.ini"_s).startsWith("sender_postal_code=150-0001\n"));
        QVERIFY(!postcards->saveAs(u"no/such/card.pdf"_s));
        QCOMPARE(program.messages.size(), 1);
        QVERIFY(program.messages.first().startsWith(u"PDF no/such/card.pdf を書き込めませんでした: "_s));

        // The program goes with the last window, a printing one included.
        QVERIFY(program.windows.mainWindow()->close());
        QVERIFY(table->window()->close());
        QVERIFY(sheet->close());
        QVERIFY(!program.windows.hasEnded());
        QVERIFY(postcards->close());
        QTRY_VERIFY(program.windows.hasEnded());
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_print_window.moc"
