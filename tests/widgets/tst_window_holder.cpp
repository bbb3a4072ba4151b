#include <QTest>

#include <QWidget>

#include "widgets/window_holder.h"

class TestWindowHolder : public QObject
{
    Q_OBJECT

private slots:
    void showLoadsOnceAndUnloadDiscards();
    void closeBoxUnloads();
};

void TestWindowHolder::showLoadsOnceAndUnloadDiscards()
{
    int loads = 0;
    int unloads = 0;
    WindowHolder<QWidget> holder([&loads] {
        ++loads;
        return new QWidget;
    });
    holder.setUnloadHandler([&unloads] { ++unloads; });
    QVERIFY(!holder.isLoaded());
    QWidget *first = holder.show();
    QCOMPARE(holder.show(), first);
    QCOMPARE(loads, 1);
    QVERIFY(first->isVisible());

    QPointer<QWidget> discarded(first);
    holder.unload();
    QVERIFY(!holder.isLoaded());
    QVERIFY(!first->isVisible());
    QCOMPARE(unloads, 1);
    QTRY_VERIFY(discarded.isNull());
    QCOMPARE(unloads, 1);

    QVERIFY(holder.show());
    QCOMPARE(loads, 2);
}

void TestWindowHolder::closeBoxUnloads()
{
    WindowHolder<QWidget> holder([] { return new QWidget; });
    int unloads = 0;
    holder.setUnloadHandler([&unloads] { ++unloads; });
    QWidget *window = holder.show();
    QPointer<QWidget> watched(window);
    window->close();
    QTRY_VERIFY(watched.isNull());
    QVERIFY(!holder.isLoaded());
    QCOMPARE(unloads, 1);
}

QTEST_MAIN(TestWindowHolder)
#include "tst_window_holder.moc"
