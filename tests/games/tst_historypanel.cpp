// The history panel on its own: built from number memory's description, shown
// a history file from a temporary data folder, without a game window.
#include "core/game/catalogue.h"
#include "core/game/history.h"
#include "core/rules/numbermemory.h"
#include "games/frame/historypanel.h"
#include "games/registry.h"
#include "testing/controls.h"
#include "testsupport.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kioku;

namespace {

// A played line of number memory: `right` and `wrong` digits shown for `secs`.
QString entryLine(int day, int right, int wrong, const QString &secs)
{
    const int n = right + wrong;
    const QString marks = QString(QStringLiteral("○")).repeated(right) + QString(QStringLiteral("×")).repeated(wrong)
        + QString(QStringLiteral("－")).repeated(15 - n);
    return QStringLiteral("\"2026/11/%1\",\"10:00:00\",\"%2\",%3,%4,\"%5\",\"%6\"")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(marks)
        .arg(right)
        .arg(wrong)
        .arg(rules::correctRate(right, n), secs);
}

GameDescription numberMemory()
{
    return describeGame(*gameByWindowName(QStringLiteral("frmG1")));
}

} // namespace

class tst_HistoryPanel : public QObject {
    Q_OBJECT
private slots:
    void showsTheHistoryAsTheFilterChooses_data();
    void showsTheHistoryAsTheFilterChooses();
    void savedRowsFollowAndClearEmpties();
};

void tst_HistoryPanel::showsTheHistoryAsTheFilterChooses_data()
{
    QTest::addColumn<QString>("filter"); // the box the player chose in ("": 全部表示)
    QTest::addColumn<int>("downs");      // Down keys pressed in it from its first item
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("rights"); // the ＯＫ column
    QTest::addColumn<bool>("allShown");      // 全部表示 marked yellow
    QTest::newRow("全部表示: every play, numbered from 1")
        << "" << 0 << QStringList{"1", "2", "3", "4", "5"} << QStringList{"3", "4", "2", "5", "1"} << true;
    QTest::newRow("桁数 8: the plays of eight digits, numbered afresh")
        << "cboKaisu2" << 7 << QStringList{"1", "2", "3"} << QStringList{"3", "4", "1"} << false;
    QTest::newRow("表示秒 1: the plays shown a second")
        << "cboJikan2" << 2 << QStringList{"1", "2"} << QStringList{"4", "1"} << false;
    QTest::newRow("桁数 15: none") << "cboKaisu2" << 14 << QStringList{} << QStringList{} << false;
}

void tst_HistoryPanel::showsTheHistoryAsTheFilterChooses()
{
    QFETCH(QString, filter);
    QFETCH(int, downs);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, rights);
    QFETCH(bool, allShown);
    TempDataDir dir;
    const GameDescription d = numberMemory();
    QVERIFY(dir.write(d.history.fileName,
                      sjisLines({entryLine(1, 3, 5, QStringLiteral("0.5秒")), entryLine(2, 4, 4, QStringLiteral("1秒")),
                                 entryLine(3, 2, 1, QStringLiteral("0.5秒")), entryLine(4, 5, 5, QStringLiteral("2秒")),
                                 entryLine(5, 1, 7, QStringLiteral("1秒"))})));
    QWidget window;
    auto *panel = new HistoryPanel(d, &window);
    window.show();
    QSignalSpy chosen(panel, &HistoryPanel::filterChosen);
    QString value;
    if (!filter.isEmpty()) {
        // The other box holds a value from before; this choice empties it.
        const QString other =
            filter == QLatin1String("cboKaisu2") ? QStringLiteral("cboJikan2") : QStringLiteral("cboKaisu2");
        panel->filterBox(other)->setCurrentIndex(1);
        QComboBox *box = panel->findChild<QComboBox *>(filter);
        box->setCurrentIndex(0);
        box->setFocus();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(chosen.size(), downs);
        QCOMPARE(chosen.last().at(0).toString(), filter);
        value = box->currentText();
        panel->fill(readHistory(d.history), filter, value);
        QCOMPARE(panel->filterBox(other)->currentIndex(), -1);
    } else {
        panel->fill(readHistory(d.history), QString(), QString());
    }
    const FlexGrid *grid = control<FlexGrid>(panel, QStringLiteral("msgRireki"));
    QCOMPARE(columnTexts(*grid, 0), numbers);
    QCOMPARE(columnTexts(*grid, 4), rights);
    QCOMPARE(backColor(control<QPushButton>(panel, QStringLiteral("cmdAllDsp"))) == HistoryPanel::kAllShown, allShown);
}

void tst_HistoryPanel::savedRowsFollowAndClearEmpties()
{
    TempDataDir dir;
    const GameDescription d = numberMemory();
    QVERIFY(
        dir.write(d.history.fileName,
                  sjisLines({entryLine(1, 3, 5, QStringLiteral("0.5秒")), entryLine(2, 4, 4, QStringLiteral("1秒"))})));
    QWidget window;
    auto *panel = new HistoryPanel(d, &window);
    window.show();
    panel->fill(readHistory(d.history), QString(), QString());
    panel->refreshSelectedView();
    const auto *grid = control<FlexGrid>(panel, QStringLiteral("msgRireki"));
    const auto *bars = control<Chart>(panel, QStringLiteral("mcrRireki2")); // 記憶数, shown at opening
    QCOMPARE(bars->rowCount(), 2);

    QVERIFY(dir.write(d.history.fileName, sjisLines({entryLine(9, 6, 2, QStringLiteral("3秒"))})));
    panel->appendSaved(readHistory(d.history).entries.first());
    QCOMPARE(columnTexts(*grid, 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(columnTexts(*grid, 4), (QStringList{"3", "4", "6"}));
    QCOMPARE(bars->rowCount(), 3); // the chart follows the new row
    QCOMPARE(bars->value(2, 0), 6.0);

    panel->clear();
    QCOMPARE(grid->rows(), 1);
    QCOMPARE(bars->rowCount(), 0);
}

QTEST_MAIN(tst_HistoryPanel)
#include "tst_historypanel.moc"
