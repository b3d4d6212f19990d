// What every panel of the menu row shares: its button shows it in place of the
// others, rebuilt from the log, and a hidden panel holds none of the log.
#include "mainfixture.h"

#include "views/panel.h"
#include "widgets/flexgrid.h"
#include "widgets/monthcalendar.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

class tst_Panels : public QObject {
    Q_OBJECT

private slots:
    void aHiddenPanelLetsGoOfTheLog_data();
    void aHiddenPanelLetsGoOfTheLog();
    void theLogIsReadAgainOnlyWhenTheFileChanged();
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

    // Shown again, it is built again, as it was.
    QTest::mouseClick(b, Qt::LeftButton);
    for (FlexGrid *g : p->findChildren<FlexGrid *>())
        QCOMPARE(g->rows(), rows.value(g->objectName()));
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_Panels::theLogIsReadAgainOnlyWhenTheFileChanged()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 10)});
    // A modification time in whole seconds, so that it can be put back exactly.
    const QString path = QFileInfo(QStringLiteral("データ.txt")).absoluteFilePath(); // the data folder is current
    const QDateTime stamp(QDate(2026, 12, 7), QTime(9, 0, 1));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    auto w = f.load();
    QCOMPARE(w->fraMain->msgDayList->textMatrix(1, 2), QStringLiteral("数字記憶"));

    // The same number of bytes, written in place, with the old modification
    // time put back: to the program the file has not changed, and a date
    // click or a panel switch shares the log already read.
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray old = file.readAll();
        QByteArray changed = old;
        changed.replace(sjis(QStringLiteral("数字記憶")), sjis(QStringLiteral("画像記憶")));
        QCOMPARE(changed.size(), old.size());
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(changed), changed.size());
        QVERIFY(file.flush());
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    w->fraMain->mtvmain->clickDate(testToday());
    QCOMPARE(w->fraMain->msgDayList->textMatrix(1, 2), QStringLiteral("数字記憶"));
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    QCOMPARE(w->fraSettei->msgHenList->textMatrix(1, 3), QStringLiteral("数字記憶"));

    // Saved again (a new modification time): read again.
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(stamp.addSecs(1), QFileDevice::FileModificationTime));
    }
    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    w->fraMain->mtvmain->clickDate(testToday());
    QCOMPARE(w->fraMain->msgDayList->textMatrix(1, 2), QStringLiteral("画像記憶"));

    // A play appended (the size changes): read again.
    QVERIFY(appendPlayRecord(play("2026/12/07", "10:00:00", "追跡記憶", 5)).ok);
    w->fraMain->mtvmain->clickDate(testToday());
    QCOMPARE(w->fraMain->msgDayList->rows(), 3);
}

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
