// Image memory (frmG6): icons dealt, shown, typed back by name and judged.
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/rules/imagememory.h"
#include "gamefixture.h"
#include "games/visual/imagememorywindow.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/playparts.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QString kSettings = rules::kImageMemorySettingsFile;
const QString kHistory = rules::kImageMemoryHistoryFile;

// Twenty animals whose names list in this order (あ い う … ね).
const QStringList kAnimals{"あひる", "いぬ",   "うさぎ", "えび",         "おおかみ", "かめ",   "きつね",
                           "くま",   "けむし", "こあら", "さる",         "しか",     "すずめ", "せみ",
                           "たぬき", "ちょう", "つる",   "てんとうむし", "とら",     "ねこ"};

QColor colourOf(int i)
{
    return QColor::fromHsv((i * 37) % 360, 200, 120 + (i % 4) * 40);
}

// Writes the first `count` animals as 48-pixel icons of one colour each.
void writeIcons(int count)
{
    for (int i = 0; i < count; ++i) {
        QImage img(48, 48, QImage::Format_ARGB32);
        img.fill(colourOf(i));
        QImageWriter w(kAnimals.at(i) + QStringLiteral(".ico"), "ico");
        QVERIFY2(w.write(img), qPrintable(w.errorString()));
    }
}

// The colour in the middle of position i's picture.
QRgb pictureColour(ImageMemoryWindow *w, int i)
{
    const QImage img = w->imgKoma(i)->pixmap().toImage();
    return img.isNull() ? 0 : img.pixel(img.width() / 2, img.height() / 2);
}

struct Play {
    GameFixture &f;
    QPointer<ImageMemoryWindow> w;

    // A window over twenty icons (unless told otherwise) opened on the settings line `settings`.
    Play(GameFixture &fixture, const QByteArray &settings, int icons = 20) : f(fixture)
    {
        writeIcons(icons);
        if (!settings.isEmpty())
            f.dir.write(kSettings, settings);
        w = f.open<ImageMemoryWindow>();
    }
    QString label(const char *name) const { return w->findChild<QLabel *>(name)->text(); }
    QPushButton *kekka() const { return w->findChild<QPushButton *>("cmdKekka"); }
    Shape *bar() const { return w->findChild<Shape *>("shpJikanK"); }
    void start()
    {
        w->cmdStart_Click();
        for (int i = 0; i < 3 && w; ++i)
            w->tmrStart_Timer();
    }
    void answer(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            w->txtKaitou(i + 1)->setText(texts.at(i));
    }
    void showActive()
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
};

// Draw values that deal the pool's names at `order` (indexes into the pool) first.
QList<double> drawsFor(const QList<int> &order)
{
    QList<int> left;
    for (int i = 0; i < rules::kImagePositions; ++i)
        left << i;
    QList<double> v;
    for (int want : order) {
        const int r = int(left.indexOf(want));
        v << (r + 0.5) / double(left.size());
        left.removeAt(r);
    }
    while (v.size() < rules::kImagePositions)
        v << 0.0;
    return v;
}

} // namespace

class tst_ImageMemoryWindow : public QObject {
    Q_OBJECT
private slots:
    void fewerThanFifteenIconsKeepTheMainWindow_data();
    void fewerThanFifteenIconsKeepTheMainWindow();
    void anUnreadableIconIsToldAndMarked();
    void dealingPutsEachIconOnceWithItsOwnPicture_data();
    void dealingPutsEachIconOnceWithItsOwnPicture();
    void displayShowsNamesOnlyWhenTicked_data();
    void displayShowsNamesOnlyWhenTicked();
    void displayCountsDownAndShrinksTheBar_data();
    void displayCountsDownAndShrinksTheBar();
    void enterMovesOnOnlyFromAFilledBox();
    void judgingComparesNamesExactly_data();
    void judgingComparesNamesExactly();
    void savedLinesAreExactBytes();
    void settingsAreRewrittenWhole_data();
    void settingsAreRewrittenWhole();
    void iconCountChosenMidPlayAppliesNextPlay();
    void historyPanelGrowsOnlyForTheViewThePlayerPresses();
    void backDuringDisplayEndsThePhase();
};

void tst_ImageMemoryWindow::fewerThanFifteenIconsKeepTheMainWindow_data()
{
    QTest::addColumn<int>("icons");
    QTest::addColumn<bool>("nameless"); // a file called just ".ico" besides
    QTest::addColumn<QString>("shortage");
    QTest::newRow("none") << 0 << false << "データフォルダに１つもありません。";
    QTest::newRow("fourteen") << 14 << false << "データフォルダには 14 個しかありません。";
    QTest::newRow("fourteen and a nameless file") << 14 << true << "データフォルダには 14 個しかありません。";
    QTest::newRow("fifteen open") << 15 << false << "";
}

void tst_ImageMemoryWindow::fewerThanFifteenIconsKeepTheMainWindow()
{
    QFETCH(int, icons);
    QFETCH(bool, nameless);
    QFETCH(QString, shortage);
    GameFixture f;
    if (nameless)
        QVERIFY(QImage(16, 16, QImage::Format_ARGB32).save(QStringLiteral(".ico"), "ico"));
    Play p(f, QByteArray(), icons);
    if (shortage.isEmpty()) {
        QVERIFY(!p.w->closing());
        QVERIFY(f.messages.shown.isEmpty());
        // Opened with a look at the first eight icons and their names.
        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(p.w->lblKoma(i)->isHidden(), i > 8);
            QVERIFY(p.w->txtKaitou(i)->isHidden());
        }
        return;
    }
    QVERIFY(p.w->closing());
    QCOMPARE(f.messages.shown.size(), 1);
    const ShownMessage m = f.messages.shown.first();
    QCOMPARE(m.title, QStringLiteral("アイコン不足"));
    QCOMPARE(m.icon, MsgIcon::Warning);
    QCOMPARE(m.text,
             QStringLiteral("画像記憶には 15 個のアイコン（.ico ファイル）が必要ですが、") + shortage
                 + QStringLiteral("\r\nアイコンを 15 個以上入れてからプレイしてください。"));
    QCOMPARE(f.navigator.mains, 1); // back to the main window, the program goes on
    QCOMPARE(f.navigator.quits, 0);
    QVERIFY(!f.dir.exists(kSettings));
    QTRY_VERIFY(p.w.isNull());
}

void tst_ImageMemoryWindow::anUnreadableIconIsToldAndMarked()
{
    GameFixture f;
    writeIcons(15);
    QVERIFY(f.dir.write(QStringLiteral("かめ.ico"), "not a picture"));
    f.drawValues({0.0});
    ImageMemoryWindow *w = f.open<ImageMemoryWindow>();
    w->show();
    QTRY_COMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(QStringLiteral("かめ.ico")));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    QCOMPARE(w->imgKoma(6)->text(), QStringLiteral("？")); // its place, in the listing's order
    QCOMPARE(w->lblKoma(6)->text(), QStringLiteral("かめ"));
}

void tst_ImageMemoryWindow::dealingPutsEachIconOnceWithItsOwnPicture_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<QStringList>("expected"); // the fifteen positions
    QTest::newRow("chosen order") << drawsFor({14, 0, 7, 3, 11, 1, 9, 5, 13, 2, 12, 4, 10, 6, 8})
                                  << QStringList{"たぬき", "あひる",   "くま", "えび",   "しか",
                                                 "いぬ",   "こあら",   "かめ", "せみ",   "うさぎ",
                                                 "すずめ", "おおかみ", "さる", "きつね", "けむし"};
    // The seeded source of the fixture (seed 7; the opening's preview deal comes first), against its fixed output.
    QTest::newRow("seed 7") << QList<double>{} << QStringList{"おおかみ", "たぬき", "せみ",   "しか",   "うさぎ",
                                                              "けむし",   "えび",   "あひる", "いぬ",   "かめ",
                                                              "きつね",   "こあら", "くま",   "すずめ", "さる"};
}

void tst_ImageMemoryWindow::dealingPutsEachIconOnceWithItsOwnPicture()
{
    QFETCH(QList<double>, draws);
    QFETCH(QStringList, expected);
    GameFixture f;
    if (!draws.isEmpty())
        f.drawValues(draws);
    Play p(f, "15,1,1,\"\",1\r\n");
    p.start();
    QCOMPARE(p.w->dealtNames(), expected);
    // The sixteenth to twentieth icons never come up; each of the first fifteen once.
    QStringList sorted = p.w->dealtNames();
    sorted.sort();
    QStringList pool = kAnimals.mid(0, 15);
    pool.sort();
    QCOMPARE(sorted, pool);
    for (int i = 1; i <= 15; ++i) {
        QCOMPARE(p.w->lblKoma(i)->text(), expected.at(i - 1));
        QCOMPARE(pictureColour(p.w, i), colourOf(int(kAnimals.indexOf(expected.at(i - 1)))).rgb());
    }
}

void tst_ImageMemoryWindow::displayShowsNamesOnlyWhenTicked_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("names");
    QTest::newRow("文字表示 on") << QByteArray("4,3,1,\"\",1\r\n") << true;
    QTest::newRow("文字表示 off") << QByteArray("4,3,0,\"\",1\r\n") << false;
}

void tst_ImageMemoryWindow::displayShowsNamesOnlyWhenTicked()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, names);
    GameFixture f;
    Play p(f, settings);
    p.showActive();
    bool looked = false;
    bool clicked = false;
    f.clock.onWait = [&](double) {
        if (p.w->playState() != GameFrame::PlayState::Showing)
            return;
        if (!looked) {
            looked = true;
            for (int i = 1; i <= 15; ++i) {
                QCOMPARE(p.w->imgKoma(i)->isHidden(), i > 4);
                QCOMPARE(p.w->lblKoma(i)->isHidden(), !names || i > 4);
                QVERIFY(p.w->txtKaitou(i)->isHidden());
            }
        } else if (!clicked) {
            // A click on a shown icon tells its name.
            clicked = true;
            QTest::mouseClick(p.w->imgKoma(2), Qt::LeftButton);
            QVERIFY(!p.w->lblKoma(2)->isHidden());
            QCOMPARE(p.w->lblKoma(3)->isHidden(), !names);
        }
    };
    p.start();
    QVERIFY(clicked);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    for (int i = 1; i <= 15; ++i) {
        QVERIFY(p.w->imgKoma(i)->isHidden());
        QVERIFY(p.w->lblKoma(i)->isHidden());
        QCOMPARE(p.w->txtKaitou(i)->isHidden(), i > 4);
    }
    QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(1));
    QVERIFY(p.kekka()->isEnabled());
    // A click on a hidden icon's place tells nothing.
    p.w->imgKoma_Click(1);
    QVERIFY(p.w->lblKoma(1)->isHidden());
}

void tst_ImageMemoryWindow::displayCountsDownAndShrinksTheBar_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("1 second") << 1;
    QTest::newRow("5 seconds") << 5;
    QTest::newRow("60 seconds") << 60;
}

void tst_ImageMemoryWindow::displayCountsDownAndShrinksTheBar()
{
    QFETCH(int, seconds);
    GameFixture f;
    Play p(f, QByteArray("6,") + QByteArray::number(seconds) + ",1,\"\",1\r\n");
    p.w->cmdStart_Click();
    QCOMPARE(p.label("lblJikan"), QString::number(seconds));
    QCOMPARE(p.label("lblMoji_T"), QStringLiteral("6"));
    QCOMPARE((QStringList{p.label("lblOk"), p.label("lblNg"), p.label("lblRitu")}), (QStringList{"0", "0", ""}));
    QStringList counts;
    QList<int> widths;
    f.clock.onWait = [&](double) {
        if (counts.isEmpty() || counts.last() != p.label("lblJikan"))
            counts << p.label("lblJikan");
        const int wdt = p.bar()->isHidden() ? 0 : p.bar()->width();
        if (widths.isEmpty() || widths.last() != wdt)
            widths << wdt;
    };
    p.w->tmrStart_Timer();
    p.w->tmrStart_Timer();
    const qint64 begin = f.clock.elapsedNs();
    p.w->tmrStart_Timer();
    QStringList expected;
    for (int i = seconds; i >= 0; --i)
        expected << QString::number(i);
    QCOMPARE(counts, expected);
    QCOMPARE(widths.size(), seconds + 1); // full, then one step a second down to nothing
    QCOMPARE(widths.first(), p.w->fullBarWidth());
    QCOMPARE(widths.last(), 0);
    // The icons stayed for the whole time chosen, wherever in the second the play began.
    const qint64 shown = f.clock.elapsedNs() - begin;
    QVERIFY(shown >= qint64(seconds) * 1000000000);
    QVERIFY(shown < qint64(seconds) * 1000000000 + 5000000);
}

void tst_ImageMemoryWindow::enterMovesOnOnlyFromAFilledBox()
{
    GameFixture f;
    Play p(f, "3,1,1,\"\",1\r\n");
    p.showActive();
    p.start();
    QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(1));
    QTest::keyClick(p.w->txtKaitou(1), Qt::Key_Return); // empty: nothing happens
    QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(1));
    for (int i = 1; i <= 3; ++i) {
        p.w->txtKaitou(i)->insert(QStringLiteral("ねこ"));
        QTest::keyClick(p.w->txtKaitou(i), i == 2 ? Qt::Key_Enter : Qt::Key_Return);
        QCOMPARE(p.w->txtKaitou(i)->text(), QStringLiteral("ねこ"));
        QCOMPARE(QApplication::focusWidget(), i < 3 ? static_cast<QWidget *>(p.w->txtKaitou(i + 1)) : p.kekka());
    }
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering); // Enter only moves on, it judges nothing
}

void tst_ImageMemoryWindow::judgingComparesNamesExactly_data()
{
    QTest::addColumn<QStringList>("answers"); // for the dealt names あひる いぬ うさぎ えび
    QTest::addColumn<QStringList>("counts");  // 正解, 不正解, rate
    QTest::addColumn<QString>("marks");
    QTest::newRow("all right") << QStringList{"あひる", "いぬ", "うさぎ", "えび"} << QStringList{"4", "0", "100.0%"}
                               << "○○○○－－－－－－－－－－－";
    QTest::newRow("katakana, blanks and width count") << QStringList{"アヒル", "いぬ ", "うさぎ", "ｴﾋﾞ"}
                                                      << QStringList{"1", "3", "25.0%"} << "××○×－－－－－－－－－－－";
    QTest::newRow("empty boxes are wrong")
        << QStringList{"", "いぬ", "", ""} << QStringList{"1", "3", "25.0%"} << "×○××－－－－－－－－－－－";
}

void tst_ImageMemoryWindow::judgingComparesNamesExactly()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, counts);
    QFETCH(QString, marks);
    GameFixture f;
    f.drawValues({0.0});
    Play p(f, "4,1,0,\"\",1\r\n");
    p.w->cmdStart_Click();
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(answerColor(p.w->txtKaitou(i)), ImageMemoryWindow::kAnswerBack);
        QVERIFY(p.w->txtKaitou(i)->alignment() & Qt::AlignLeft);
    }
    p.w->tmrStart_Timer();
    p.w->tmrStart_Timer();
    p.w->tmrStart_Timer();
    p.answer(answers);
    p.w->cmdKekka_Click();
    QCOMPARE((QStringList{p.label("lblOk"), p.label("lblNg"), p.label("lblRitu")}), counts);
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(answerColor(p.w->txtKaitou(i)), marks.at(i - 1) == QChar(u'○') ? kAnswerRight : kAnswerWrong);
        QVERIFY(p.w->txtKaitou(i)->alignment() & Qt::AlignHCenter);
        QVERIFY(p.w->txtKaitou(i)->isReadOnly());
        // The icons come back with their names over the judged answers, even with 文字表示 off.
        QVERIFY(!p.w->imgKoma(i)->isHidden());
        QVERIFY(!p.w->lblKoma(i)->isHidden());
    }
    QVERIFY(p.w->imgKoma(5)->isHidden());
    const HistoryEntry e = readHistory(rules::imageMemoryHistory()).entries.value(0);
    QCOMPARE(e.field(3), marks);
    QCOMPARE(e.field(6), counts.at(2));
    QVERIFY(p.w->cmdStart()->isEnabled());
    QVERIFY(!p.kekka()->isEnabled());
}

void tst_ImageMemoryWindow::savedLinesAreExactBytes()
{
    GameFixture f;
    f.dir.write(kPlayLogFile, QByteArray());
    f.drawValues({0.0});
    Play p(f, "6,5,1,\"\",1\r\n");
    p.start();
    p.answer({"あひる", "いぬ", "うさぎ", "エビ", "おおかみ", ""});
    p.w->cmdKekka_Click(); // saved at once, when the five seconds of display have passed
    QCOMPARE(
        f.dir.bytes(kHistory),
        sjis(QStringLiteral("\"2026/12/07\",\"14:05:38\",\"○○○×○×－－－－－－－－－\",4,2,\"66.7%\",\"5秒\"\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile),
             sjis(QStringLiteral("\"2026/12/07\",\"14:05:38\",\"画像記憶\",5,"
                                 "\"暗記数 : 6   正解 : 4   不正解 : 2   正解率 : 66.7%\",\r\n")));
    // 秒 in code page 932.
    QVERIFY(f.dir.bytes(kHistory).contains(QByteArray("5\x95\x62", 3)));
    QCOMPARE(p.w->msgRireki()->textMatrix(1, 7), QStringLiteral("5秒"));
    // The display-time filter matches the whole number with 秒.
    pick(p.w->findChild<QComboBox *>("cboJikan2"), "5");
    p.w->cboJikan2_Click();
    QCOMPARE(p.w->msgRireki()->rows(), 2);
}

void tst_ImageMemoryWindow::settingsAreRewrittenWhole_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("文字表示 off, the spare text kept")
        << sjis(QStringLiteral("8,10,1,\"メモ\",1\r\n")) << "hint" << sjis(QStringLiteral("8,10,0,\"メモ\",1\r\n"));
    QTest::newRow("a bare spare value stays bare")
        << QByteArray("8,10,0,7,0\r\n") << "hint" << QByteArray("8,10,1,7,0\r\n");
    QTest::newRow("a new file gets the defaults") << QByteArray() << "none" << QByteArray("8,10,1,\"\",1\r\n");
}

void tst_ImageMemoryWindow::settingsAreRewrittenWhole()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, action);
    QFETCH(QByteArray, after);
    GameFixture f;
    Play p(f, before);
    if (action == "hint") {
        p.w->chkHint()->toggle();
        p.w->chkHint_Click();
    }
    QCOMPARE(f.dir.bytes(kSettings), after);
}

void tst_ImageMemoryWindow::iconCountChosenMidPlayAppliesNextPlay()
{
    GameFixture f;
    f.drawValues({0.0});
    Play p(f, "3,1,1,\"\",1\r\n");
    p.start();
    pick(p.w->findChild<QComboBox *>("cboKaisu"), "6");
    p.w->cboKaisu_Click();
    QVERIFY(!p.w->txtKaitou(3)->isHidden()); // the play under way keeps its boxes
    p.answer({"あひる", "いぬ", "うさぎ"});
    p.w->cmdKekka_Click();
    QCOMPARE(p.label("lblRitu"), QStringLiteral("100.0%"));
    p.start();
    QCOMPARE(p.w->playIcons(), 6);
    QVERIFY(!p.w->txtKaitou(6)->isHidden());
}

void tst_ImageMemoryWindow::historyPanelGrowsOnlyForTheViewThePlayerPresses()
{
    GameFixture f;
    Play p(f, "2,1,1,\"\",1\r\n");
    p.w->resize(1100, 760);
    p.w->show();
    QWidget *board = p.w->findChild<QWidget *>("fraGame");
    QVERIFY(!p.w->panelTall());
    p.start();
    p.w->cmdKekka_Click(); // auto-save redraws the chart: the judged board stays in sight
    QCOMPARE(p.w->msgRireki()->rows(), 2);
    QVERIFY(!p.w->panelTall());
    QVERIFY(!board->isHidden());
    QTest::mouseClick(p.w->viewButton("cmdRitu"), Qt::LeftButton);
    QVERIFY(p.w->panelTall());
    QVERIFY(board->isHidden());
    QTest::mouseClick(p.w->fraRireki(), Qt::LeftButton, {}, QPoint(2, 2)); // the player hides it
    QVERIFY(p.w->fraRireki()->isHidden());
    QVERIFY(!board->isHidden());
    QTest::mouseClick(p.w->cmdStart(), Qt::LeftButton);
    QVERIFY(!p.w->fraRireki()->isHidden()); // back, compact, with the new play
    QVERIFY(!p.w->panelTall());
    QVERIFY(!board->isHidden());
}

void tst_ImageMemoryWindow::backDuringDisplayEndsThePhase()
{
    GameFixture f;
    Play p(f, "8,60,1,\"\",1\r\n");
    p.w->show();
    int waitsAfterBack = -1;
    f.clock.onWait = [&](double) {
        if (waitsAfterBack >= 0) {
            ++waitsAfterBack;
            return;
        }
        if (f.clock.elapsedNs() > 3000000000LL) {
            waitsAfterBack = 0;
            QTest::mouseClick(p.w->cmdEnd(), Qt::LeftButton);
        }
    };
    p.start();
    QCOMPARE(waitsAfterBack, 0);
    QVERIFY(f.clock.elapsedNs() < 5000000000LL);
    QVERIFY(!f.dir.exists(kHistory));
    QTRY_VERIFY(p.w.isNull());
    QCOMPARE(f.navigator.mains, 1);
}

QTEST_MAIN(tst_ImageMemoryWindow)
#include "tst_imagememorywindow.moc"
