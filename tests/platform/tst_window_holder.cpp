#include <QTest>

#include <QWidget>

#include "platform/window_holder.h"

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
    WindowHolder<QWidget> holder([&loads] {
        ++loads;
        return new QWidget;
    });
    QVERIFY(!holder.isLoaded());
    QWidget *first = holder.show();
    QCOMPARE(holder.show(), first);
    QCOMPARE(loads, 1);
    QVERIFY(first->isVisible());

    QPointer<QWidget> discarded(first);
    holder.unload();
    QVERIFY(!holder.isLoaded());
    QVERIFY(!first->isVisible());
    QTRY_VERIFY(discarded.isNull());

    QVERIFY(holder.show());
    QCOMPARE(loads, 2);
}

void TestWindowHolder::closeBoxUnloads()
{
    WindowHolder<QWidget> holder([] { return new QWidget; });
    QWidget *window = holder.show();
    QPointer<QWidget> watched(window);
    window->close();
    QTRY_VERIFY(watched.isNull());
    QVERIFY(!holder.isLoaded());
}

QTEST_MAIN(TestWindowHolder)
#include "tst_window_holder.moc"
