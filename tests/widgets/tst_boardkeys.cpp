// A board played by keys: where the arrow keys lead from a cell over a board
// some of whose cells are taken off (hidden) or cannot be played (disabled),
// what Space and Enter play, and where Tab leaves the board for.
#include "widgets/boardkeys.h"

#include <QApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

class tst_boardKeys : public QObject {
    Q_OBJECT
private slots:
    void theKeysMoveOverThePlayableCells_data();
    void theKeysMoveOverThePlayableCells();
};

void tst_boardKeys::theKeysMoveOverThePlayableCells_data()
{
    QTest::addColumn<QString>("board"); // 3×3, row by row: o playable, h hidden, d disabled
    QTest::addColumn<int>("from");      // 1..9, as the tracking panels are numbered
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("then"); // the cell with the focus ("cellN"), or the control after/before the board
    QTest::addColumn<int>("played");   // the cell played (0: none)
    const QString full = QStringLiteral("ooooooooo");
    QTest::newRow("right") << full << 1 << int(Qt::Key_Right) << "cell2" << 0;
    QTest::newRow("right at a line's end goes on to the next line") << full << 3 << int(Qt::Key_Right) << "cell4" << 0;
    QTest::newRow("left at the first cell stays") << full << 1 << int(Qt::Key_Left) << "cell1" << 0;
    QTest::newRow("down") << full << 2 << int(Qt::Key_Down) << "cell5" << 0;
    QTest::newRow("up at the top stays") << full << 2 << int(Qt::Key_Up) << "cell2" << 0;
    QTest::newRow("right passes over a cell taken off") << "ohooooooo" << 1 << int(Qt::Key_Right) << "cell3" << 0;
    QTest::newRow("down passes over a cell taken off") << "ooooohooo" << 3 << int(Qt::Key_Down) << "cell9" << 0;
    QTest::newRow("down with the column empty below: the nearest cell of the next line")
        << "oooohoohh" << 2 << int(Qt::Key_Down) << "cell4" << 0;
    QTest::newRow("down past a line taken off") << "ooohhhooo" << 1 << int(Qt::Key_Down) << "cell7" << 0;
    QTest::newRow("a disabled cell is passed over") << "odooooooo" << 1 << int(Qt::Key_Right) << "cell3" << 0;
    QTest::newRow("space plays the cell") << full << 5 << int(Qt::Key_Space) << "cell5" << 5;
    QTest::newRow("enter plays the cell") << full << 7 << int(Qt::Key_Return) << "cell7" << 7;
    QTest::newRow("tab leaves the board for the control after it") << full << 4 << int(Qt::Key_Tab) << "after" << 0;
    QTest::newRow("shift+tab for the control before it") << full << 4 << int(Qt::Key_Backtab) << "before" << 0;
}

void tst_boardKeys::theKeysMoveOverThePlayableCells()
{
    QFETCH(QString, board);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(QString, then);
    QFETCH(int, played);

    QWidget window;
    auto *layout = new QGridLayout(&window);
    auto *before = new QPushButton(QStringLiteral("前"), &window);
    before->setObjectName(QStringLiteral("before"));
    layout->addWidget(before, 0, 0);
    auto *area = new QWidget(&window);
    auto *grid = new QGridLayout(area);
    QList<QWidget *> cells;
    for (int i = 0; i < 9; ++i) {
        auto *c = new QPushButton(QString::number(i + 1), area);
        c->setObjectName(QStringLiteral("cell%1").arg(i + 1));
        grid->addWidget(c, i / 3, i % 3);
        cells << c;
    }
    layout->addWidget(area, 1, 0);
    auto *after = new QPushButton(QStringLiteral("後"), &window);
    after->setObjectName(QStringLiteral("after"));
    layout->addWidget(after, 2, 0);
    int playedCell = 0;
    new BoardKeys(cells, 3, area, [&](int i) { playedCell = i + 1; });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (int i = 0; i < 9; ++i) {
        cells.at(i)->setVisible(board.at(i) != QLatin1Char('h'));
        cells.at(i)->setEnabled(board.at(i) != QLatin1Char('d'));
    }
    cells.at(from - 1)->setFocus(Qt::OtherFocusReason);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), then);
    QCOMPARE(playedCell, played);
}

QTEST_MAIN(tst_boardKeys)
#include "tst_boardkeys.moc"
