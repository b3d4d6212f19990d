// What every panel of the menu row shares: its button shows it in place of the
// others, rebuilt from the log, and a hidden panel holds none of the log.
#include "mainfixture.h"

#include "views/panel.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QPushButton>
#include <QtTest>

using namespace kioku;

class tst_Panels : public QObject {
    Q_OBJECT

private slots:
    void aHiddenPanelLetsGoOfTheLog_data();
    void aHiddenPanelLetsGoOfTheLog();
};

void tst_Panels::aHiddenPanelLetsGoOfTheLog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::newRow("全グラフ") << "cmdRentai"
                              << "fraRenTai";
    QTest::newRow("範囲指定") << "cmdTaijyu"
                              << "fraTaijyu";
    QTest::newRow("集計表示") << "cmdSyuukei"
                              << "fraSyuukei";
    QTest::newRow("並び替え") << "cmdBunseki"
                              << "fraBunseki";
    QTest::newRow("カレンダー") << "cmdCale"
                                << "fraCale";
    QTest::newRow("一言日記") << "cmdMemo"
                              << "fraMemo";
    QTest::newRow("編集") << "cmdSettei"
                          << "fraSettei";
}

void tst_Panels::aHiddenPanelLetsGoOfTheLog()
{
    QFETCH(QString, button);
    QFETCH(QString, panel);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    auto w = f.load();
    auto *b = w->findChild<QPushButton *>(button);
    auto *p = w->findChild<Panel *>(panel);
    QVERIFY(b && p);

    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(p->isVisible());
    QVERIFY(!p->helpText().isEmpty());
    QMap<QString, int> rows;
    for (FlexGrid *g : p->findChildren<FlexGrid *>())
        rows.insert(g->objectName(), g->rows());
    QVERIFY(!rows.isEmpty());
    int filled = 0;
    for (int n : std::as_const(rows))
        filled += n > 1;
    QVERIFY2(filled > 0, "the panel shows the log");

    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    QVERIFY(!p->isVisible());
    for (FlexGrid *g : p->findChildren<FlexGrid *>())
        QCOMPARE(g->rows(), 1);
    for (Chart *c : p->findChildren<Chart *>())
        QCOMPARE(c->rowCount(), 0);

    // Shown again, it is built again, as it was.
    QTest::mouseClick(b, Qt::LeftButton);
    for (FlexGrid *g : p->findChildren<FlexGrid *>())
        QCOMPARE(g->rows(), rows.value(g->objectName()));
    QVERIFY(f.messages.shown.isEmpty());
}

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
