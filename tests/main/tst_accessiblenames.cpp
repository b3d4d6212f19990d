// What a screen reader reads of the controls that have no text of their own
// (grids, boxes, pictures, lamps, charts, result values), as Qt's
// accessibility hands it to the reader. The whole windows are read over AT-SPI
// by tst_atspinames; this checks what is read as the play goes on.
#include "core/datafolder.h"
#include "games/registry.h"
#include "main/appsetup.h"
#include "mainfixture.h"
#include "testing/controls.h"
#include "widgets/accessiblenames.h"
#include "widgets/chart.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QtTest>

using namespace kioku;

namespace {

QString readName(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QStringLiteral("(none)");
}

// The captions that label `w` (a reader says them before it).
QStringList labelledBy(QWidget *w)
{
    QStringList said;
    if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w)) {
        const auto labels = a->relations(QAccessible::Label);
        for (const auto &[label, relation] : labels)
            said << label->text(QAccessible::Name);
    }
    return said;
}

} // namespace

class TstAccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); }
    void controlsAreReadAsTheyAreNow_data();
    void controlsAreReadAsTheyAreNow();
    void aChartIsReadAsItsFigures_data();
    void aChartIsReadAsItsFigures();
};

void TstAccessibleNames::controlsAreReadAsTheyAreNow_data()
{
    QTest::addColumn<QString>("window");  // frmMain or a game window
    QTest::addColumn<QString>("button");  // pressed first, or ""
    QTest::addColumn<QString>("control"); // objectName
    QTest::addColumn<QString>("name");    // read by the screen reader
    // Played on 2026/12/07: two kinds of game, 200 seconds.
    QTest::newRow("a lit lamp") << "frmMain"
                                << ""
                                << "shpLed2"
                                << "ランプ2（点灯）";
    QTest::newRow("a dark lamp") << "frmMain"
                                 << ""
                                 << "shpLed3"
                                 << "ランプ3（消灯）";
    QTest::newRow("the day's time with its caption") << "frmMain"
                                                     << ""
                                                     << "lblDayTotal"
                                                     << "この日のプレイ時間 0:03:20";
    QTest::newRow("the face of two kinds") << "frmMain"
                                           << ""
                                           << "imgniko"
                                           << "今日の顔：ニコッ";
    QTest::newRow("the calendar") << "frmMain"
                                  << ""
                                  << "mtvmain"
                                  << "カレンダー";
    QTest::newRow("a grid by the caption above it") << "frmMain"
                                                    << "cmdTaijyu"
                                                    << "msgBunseki"
                                                    << "条件に合うプレイ";
    QTest::newRow("a text box by its buddy label") << "frmMain"
                                                   << "cmdMemo"
                                                   << "txtKizuki"
                                                   << "メモ";
    QTest::newRow("a digit of number memory") << "frmG1"
                                              << ""
                                              << "lblMondai3"
                                              << "3桁目";
    QTest::newRow("an empty result box by its caption") << "frmG1"
                                                        << ""
                                                        << "lblOk"
                                                        << "正解";
    QTest::newRow("a result box with its value") << "frmG2"
                                                 << ""
                                                 << "lblZan"
                                                 << "残りコマ 40";
    QTest::newRow("a face-down piece") << "frmG2"
                                       << ""
                                       << "cmdKoma12"
                                       << "コマ12";
    QTest::newRow("the answer box by its caption") << "frmG3"
                                                   << ""
                                                   << "txtKaitou"
                                                   << "解答";
    // A choice box is read by its choice, after the caption that labels it.
    QTest::newRow("a setting by what it sets") << "frmG3"
                                               << ""
                                               << "cboMode"
                                               << "時間差\t2回";
    // The typing games' boxes stand beside the radio buttons that choose them
    // (no caption label of their own).
    QTest::newRow("the answer count of a typing game") << "frmG4"
                                                       << ""
                                                       << "cboKaisu"
                                                       << "答数\t20";
    QTest::newRow("the seconds of a typing game") << "frmG7"
                                                  << ""
                                                  << "cboJikan"
                                                  << "秒数\t60";
    QTest::newRow("the digits of number memory") << "frmG1"
                                                 << ""
                                                 << "cboKaisu"
                                                 << "桁数\t8";
    QTest::newRow("the list of words") << "frmG3"
                                       << ""
                                       << "lstJisyo"
                                       << "登録ワード一覧";
}

void TstAccessibleNames::controlsAreReadAsTheyAreNow()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, control);
    QFETCH(QString, name);
    MainFixture f;
    prepareDataFolder(); // the pictures and word lists the games need
    f.setLog({play("2026/12/07", "09:30:00", "時間差記憶", 120), play("2026/12/07", "11:15:00", "アイコン衰弱", 80)});
    std::unique_ptr<QWidget> w;
    if (window == QLatin1String("frmMain"))
        w = f.load();
    else
        w.reset(openGame(*gameByWindowName(window), f.ctx));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    if (!button.isEmpty())
        QTest::mouseClick(kioku::control<QAbstractButton>(w, button), Qt::LeftButton);
    QWidget *c = kioku::control(w, control);
    if (name.contains(QLatin1Char('\t'))) {
        QVERIFY2(labelledBy(c).contains(name.section(QLatin1Char('\t'), 0, 0)), qPrintable(labelledBy(c).join(", ")));
        name = name.section(QLatin1Char('\t'), 1);
    }
    QTRY_COMPARE(readName(c), name);
}

void TstAccessibleNames::aChartIsReadAsItsFigures_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("summary");
    QTest::newRow("no data") << QStringList{} << QList<double>{} << "データはありません";
    QTest::newRow("each point") << QStringList{"12/05", "12/06", "12/07"} << QList<double>{3, 0, 12.5}
                                << "3件。12/05 3、12/06 0、12/07 12.5";
    QStringList many;
    QList<double> values;
    for (int i = 1; i <= 30; ++i) {
        many << QString::number(i);
        values << (i == 7 ? 90 : i);
    }
    QTest::newRow("many points: lowest, highest, last") << many << values << "30件。最小 1、最大 90、最後 30";
}

void TstAccessibleNames::aChartIsReadAsItsFigures()
{
    QFETCH(QStringList, labels);
    QFETCH(QList<double>, values);
    QFETCH(QString, summary);
    Chart chart;
    chart.setObjectName(QStringLiteral("mcrRireki2"));
    chart.setRowCount(int(labels.size()));
    for (int r = 0; r < labels.size(); ++r) {
        chart.setRowLabel(r, labels.at(r));
        chart.setValue(r, 0, values.at(r));
    }
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&chart);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Chart);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("履歴のグラフ"));
    QCOMPARE(a->text(QAccessible::Description), summary);
}

QTEST_MAIN(TstAccessibleNames)
#include "tst_accessiblenames.moc"
