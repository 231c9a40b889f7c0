// The history window: every result of the run, listed and copied as a
// spreadsheet takes it, opened once however it is asked for, and gone with
// the main window.
#include "support.h"

#include "window/historywindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

// The rows as the list shows them, the cells that show something separated by spaces.
QStringList rows(const QTreeView &list)
{
    QStringList rows;
    for (int r = 0; r < list.model()->rowCount(); ++r) {
        QString row;
        for (int c = 0; c < list.model()->columnCount(); ++c)
            row += ' ' + list.model()->index(r, c).data().toString();
        rows << row.simplified();
    }
    return rows;
}

}  // namespace

class TestHistory : public WindowTest
{
    Q_OBJECT

private slots:
    void threeStatistics();
    void programKeys_data();
    void programKeys();
};

void TestHistory::threeStatistics()
{
    // Between the results, a refused figure and a computation cleared.
    play(*w, "10 D 3 D AC 9 I AC 180 I 1/3 50 RET ESC 3 D 4 D AC 007 W 0 W");
    QVERIFY(!HistoryWindow::instance());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
    HistoryWindow *history = HistoryWindow::instance();
    QVERIFY(history && history->isVisible() && history->objectName() == "History");
    QCOMPARE(history->windowTitle(), QStringLiteral("計算履歴"));
    auto *list = child<QTreeView>(*history, "lstHistory");
    QCOMPARE(rows(*list),
             QStringList({"打率 打数 10 安打 3 0.300", "防御率 投球回数 180 回と 1/3 自責点 50 2.50",
                          "勝率 勝 007 敗 0 1.000"}));

    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             "打率\t打数\t10\t\t\t安打\t3\t0.300\n防御率\t投球回数\t180\t回と\t1/3\t自責点\t50\t2.50\n"
             "勝率\t勝\t007\t\t\t敗\t0\t1.000");
    for (int row : {2, 0})
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    child<QAction>(*history, "nmuCopy")->trigger();  // the list's context menu
    QCOMPARE(QGuiApplication::clipboard()->text(),
             "打率\t打数\t10\t\t\t安打\t3\t0.300\n勝率\t勝\t007\t\t\t敗\t0\t1.000");

    // A result worked out while it is open comes in at the end; it opens only once.
    play(*w, "ESC 4 W 1 ENT");
    QCOMPARE(rows(*list).last(), QStringLiteral("勝率 勝 4 敗 1 0.800"));
    action(*w, "nmuHistory")->trigger();
    QCOMPARE(HistoryWindow::instance(), history);

    click(child<QPushButton>(*history, "cmdClear"));
    QCOMPARE(rows(*list), QStringList());
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             "打率\t打数\t10\t\t\t安打\t3\t0.300\n勝率\t勝\t007\t\t\t敗\t0\t1.000");
    w->close();
    QVERIFY(!HistoryWindow::instance());
}

void TestHistory::programKeys_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("ends");  // the program, as 終了 does
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape) << false;
    QTest::newRow("Ctrl+H") << QKeySequence(QStringLiteral("Ctrl+H")) << false;
    QTest::newRow("Ctrl+Q") << QKeySequence(QStringLiteral("Ctrl+Q")) << true;
}

// With the history window active, each key closes it; Ctrl+Q ends the
// program's event loop as well, and nothing else does.
void TestHistory::programKeys()
{
    QFETCH(QKeySequence, keys);
    QFETCH(bool, ends);
    action(*w, "nmuHistory")->trigger();
    HistoryWindow *history = HistoryWindow::instance();
    QVERIFY(QTest::qWaitForWindowActive(history));
    QEventLoop loop;
    QTimer::singleShot(ends ? 5000 : 200, &loop, [&loop] { loop.exit(1); });
    QTest::keySequence(QApplication::focusWidget(), keys);
    QCOMPARE(loop.exec() == 0, ends);
    QVERIFY(!HistoryWindow::instance());
    QVERIFY(w->isVisible());
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
