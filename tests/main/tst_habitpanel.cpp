// The days of play and the daily goal as the player meets them: the figures
// beside the day's rating, the goal's bar, the marks on the today panel's
// calendar and on the practice calendar's month table, and the goal chosen
// on the edit screen and kept in "目標.txt".
#include "core/goal.h"
#include "mainfixture.h"
#include "testing/controls.h"
#include "views/habitmarks.h"
#include "widgets/flexgrid.h"
#include "widgets/monthcalendar.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace kioku;

namespace {

// Pixels of `image` within a few steps of `colour`.
int pixelsOf(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) < 24 && qAbs(c.green() - colour.green()) < 24
                && qAbs(c.blue() - colour.blue()) < 24)
                ++n;
        }
    return n;
}

bool fits(const QLabel *l)
{
    return l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width();
}

} // namespace

class tst_HabitPanel : public QObject {
    Q_OBJECT

private slots:
    void todayPanel_data();
    void todayPanel();
    void monthTableMarks();
    void goalChosenOnTheEditScreen();
    void badGoalFiles_data();
    void badGoalFiles();
};

void tst_HabitPanel::todayPanel_data()
{
    QTest::addColumn<QString>("log");
    QTest::addColumn<QByteArray>("goal");     // 目標.txt, none when empty
    QTest::addColumn<QStringList>("figures"); // 連続, 最長, 今月
    QTest::addColumn<QString>("bar");         // "" : no bar

    const QByteArray tenMinutes = sjisLines({"\"1日の目標\",\"分\",10"});
    QTest::newRow("empty log") << "" << QByteArray() << QStringList{"連続 0 日", "最長 0 日", "今月 0 / 7 日"} << "";
    QTest::newRow("empty log, a goal") << "" << tenMinutes << QStringList{"連続 0 日", "最長 0 日", "今月 0 / 7 日"}
                                       << "0 / 10 分";
    QTest::newRow("a run into today, a longer one before")
        << "2026/11/01 数字記憶; 2026/11/02 数字記憶; 2026/11/03 数字記憶; 2026/11/04 数字記憶; 2026/12/06 画像記憶; "
           "2026/12/07 数字記憶 300; 2026/12/07 画像記憶 199.5"
        << tenMinutes << QStringList{"連続 2 日", "最長 4 日", "今月 2 / 7 日"} << "8 / 10 分";
    QTest::newRow("kinds met") << "2026/12/07 数字記憶; 2026/12/07 追跡記憶; 2026/12/07 謎のゲーム"
                               << sjisLines({"\"1日の目標\",\"種類\",2"})
                               << QStringList{"連続 1 日", "最長 1 日", "今月 1 / 7 日"} << "2 / 2 種類  達成";
}

void tst_HabitPanel::todayPanel()
{
    QFETCH(QString, log);
    QFETCH(QByteArray, goal);
    QFETCH(QStringList, figures);
    QFETCH(QString, bar);
    MainFixture f;
    f.setLog(logOf(log));
    if (!goal.isEmpty())
        f.dir.write(kGoalFile, goal);
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    const QStringList names = {"lblRenzoku", "lblSaichou", "lblKongetsu"};
    for (int i = 0; i < names.size(); ++i) {
        auto *l = control<QLabel>(w, names.at(i));
        QVERIFY(l->isVisible());
        QCOMPARE(l->text(), figures.at(i));
        QVERIFY2(fits(l), qPrintable(l->text()));
    }
    auto *progress = control<QProgressBar>(w, "prgMokuhyou");
    QCOMPARE(progress->isVisible(), !bar.isEmpty());
    if (!bar.isEmpty()) {
        QCOMPARE(progress->text(), bar);
        QVERIFY(progress->fontMetrics().horizontalAdvance(bar) < progress->width());
    }
    QVERIFY(f.messages.shown.isEmpty());

    // The run is framed on the calendar in the colour of 連続, and only then.
    auto *calendar = control<MonthCalendar>(w, "mtvmain");
    const int framePixels = pixelsOf(calendar->grab().toImage(), runColour());
    QCOMPARE(framePixels > 0, !figures.at(0).startsWith(QStringLiteral("連続 0")));
}

void tst_HabitPanel::monthTableMarks()
{
    MainFixture f;
    f.setLog(logOf("2026/10/31 画像記憶 900; 2026/11/30 数字記憶; 2026/12/06 数字記憶 600; 2026/12/07 数字記憶"));
    f.dir.write(kGoalFile, sjisLines({"\"1日の目標\",\"分\",10"}));
    auto w = f.load();
    w->show();
    QTest::mouseClick(w->cmdCale, Qt::LeftButton);
    auto *grid = control<FlexGrid>(w, "msgCale");
    auto *marks = control<CellMarks>(w, "cellMarks");
    // Rows: the header, 2026年10月, 11月, 12月.
    QCOMPARE(marks->framed(), (QList<QPoint>{{3, 6}, {3, 7}}));
    QCOMPARE(marks->dotted(), (QList<QPoint>{{1, 31}, {3, 6}}));
    // Each framed cell has the frame's colour on its border, an unframed one none.
    QApplication::processEvents();
    const QImage image = w->grab().toImage();
    auto borderPixels = [&](int row, int col) {
        QRect r = grid->visualRect(grid->model()->index(row - 1, col));
        r.moveTopLeft(grid->viewport()->mapTo(w.get(), r.topLeft()));
        return pixelsOf(image.copy(r.x(), r.y(), r.width(), 3), runColour());
    };
    QVERIFY(borderPixels(3, 6) > 0);
    QVERIFY(borderPixels(3, 7) > 0);
    QCOMPARE(borderPixels(3, 5), 0);
    QCOMPARE(borderPixels(2, 30), 0);
}

void tst_HabitPanel::goalChosenOnTheEditScreen()
{
    MainFixture f;
    f.setLog(logOf("2026/12/07 数字記憶 300"));
    auto w = f.load();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(!control<QProgressBar>(w, "prgMokuhyou")->isVisible()); // no goal by default

    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    auto *kind = control<QComboBox>(w, "cboMokuhyou");
    auto *value = control<QSpinBox>(w, "spnMokuhyou");
    QCOMPARE(kind->currentText(), QStringLiteral("なし"));
    QVERIFY(!value->isEnabled());
    kind->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // プレイ時間
    QVERIFY(value->isEnabled());
    QCOMPARE(value->text(), QStringLiteral("10 分"));
    value->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("15"));
    QTest::mouseClick(control<QPushButton>(w, "cmdMokuhyou"), Qt::LeftButton);
    QCOMPARE(f.dir.bytes(kGoalFile), sjisLines({"\"1日の目標\",\"分\",15"}));
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown.first().title, QStringLiteral("保存終了"));

    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    QCOMPARE(control<QProgressBar>(w, "prgMokuhyou")->text(), QStringLiteral("5 / 15 分"));

    // A save that cannot be written says so and keeps the goal stored before.
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    QCOMPARE(value->value(), 15);
    kind->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // ゲームの種類
    {
        FileSizeLimit limit(4); // the disk takes no more than a few bytes
        QTest::mouseClick(control<QPushButton>(w, "cmdMokuhyou"), Qt::LeftButton);
    }
    QCOMPARE(f.messages.shown.last().title, QStringLiteral("保存エラー"));
    QCOMPARE(f.dir.bytes(kGoalFile), sjisLines({"\"1日の目標\",\"分\",15"}));
}

void tst_HabitPanel::badGoalFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("garbled") << QByteArray("\x82\xa0\xff\xff\r\n");
    QTest::newRow("another kind") << sjisLines({"\"1日の目標\",\"回\",3"});
    QTest::newRow("empty") << QByteArray("");
}

void tst_HabitPanel::badGoalFiles()
{
    QFETCH(QByteArray, bytes);
    MainFixture f;
    f.setLog(logOf("2026/12/07 数字記憶"));
    f.dir.write(kGoalFile, bytes);
    auto w = f.load();
    // Told once, whatever screen meets the file; no goal is shown and the file is kept.
    QTest::mouseClick(w->cmdSettei, Qt::LeftButton);
    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    w->fraMain->mtvmain->clickDate(QDate(2026, 12, 6));
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(kGoalFile));
    QVERIFY(isPlainJapanese(f.messages.shown.first().text));
    QVERIFY(!control<QProgressBar>(w, "prgMokuhyou")->isVisibleTo(w.get()));
    QCOMPARE(control<QComboBox>(w, "cboMokuhyou")->currentText(), QStringLiteral("なし"));
    QCOMPARE(f.dir.bytes(kGoalFile), bytes);
}

QTEST_MAIN(tst_HabitPanel)
#include "tst_habitpanel.moc"
