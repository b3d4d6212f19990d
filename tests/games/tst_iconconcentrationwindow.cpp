// アイコン衰弱 (frmG2) played as the player plays it: twenty icons of one
// colour each in the data folder, a board dealt from known draws, pieces
// turned by click, delays run on the fake clock.
#include "core/backup.h"
#include "core/rules/iconconcentration.h"
#include "gamefixture.h"
#include "games/visual/iconconcentrationwindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace kioku;
namespace ic = kioku::rules;

namespace {

const QString kSettings = gameInfo(Game::IconConcentration).settingsFile;
const QString kHistory = gameInfo(Game::IconConcentration).historyFile;
const QString kRecords = gameInfo(Game::IconConcentration).recordsFile;
const QStringList kCountries{"アメリカ", "イギリス", "イタリア", "インド",   "エジプト", "オランダ",       "カナダ",
                             "韓国",     "ギリシャ", "スイス",   "スペイン", "中国",     "ドイツ",         "トルコ",
                             "日本",     "ブラジル", "フランス", "メキシコ", "ロシア",   "オーストラリア", "ケニア"};
const QByteArray kNoRecord = "9999,\"9999\"\r\n";

// `n` icon files, each a square of its own colour.
void writeIcons(int n)
{
    for (int i = 0; i < n; ++i) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(QColor::fromHsv(i * 17, 220, 230));
        QVERIFY(img.save(kCountries.at(i) + QStringLiteral(".ico"), "ICO"));
    }
}

struct Board {
    GameFixture &f;
    IconConcentrationWindow *w = nullptr;
    qint64 beganNs = 0;

    // A window on twenty icons and `settings`; every draw is `draw` (0: always
    // the first of what is left, so the icons come in listing order and the
    // board repeats them: position p holds kind (p - 1) mod K).
    Board(GameFixture &fixture, const QString &settings, double draw = 0.0) : f(fixture)
    {
        writeIcons(ic::kConcentrationIcons);
        f.dir.write(kSettings, sjis(settings + QStringLiteral("\r\n")));
        f.drawValues({draw});
        w = f.open<IconConcentrationWindow>();
    }
    void start()
    {
        w->cmdStart_Click();
        w->tmrStart_Timer();
        w->tmrStart_Timer();
        w->tmrStart_Timer();
        beganNs = f.clock.elapsedNs();
    }
    bool faceDown(int i) const { return !w->cmdKoma(i)->isHidden(); }
    QString label(const char *name) const { return w->findChild<QLabel *>(name)->text(); }
    // パニック dealt from draws of 0: positions p and p + 20 hold the same icon.
    // `misses` wrong turns first, then the twenty pairs; the last pair is
    // turned when `seconds` have passed since the game began.
    void playPanic(int misses, double seconds)
    {
        for (int m = 0; m < misses; ++m) {
            w->cmdKoma_Click(1);
            w->cmdKoma_Click(2);
        }
        for (int p = 1; p <= 20; ++p) {
            w->cmdKoma_Click(p);
            if (p == 20)
                f.clock.advanceMs(seconds * 1000 - double(f.clock.elapsedNs() - beganNs) / 1e6);
            w->cmdKoma_Click(p + 20);
        }
    }
};

} // namespace

class tst_IconConcentrationWindow : public QObject {
    Q_OBJECT
private slots:
    void aWrongNumberOfIconsKeepsTheWindowShut_data();
    void aWrongNumberOfIconsKeepsTheWindowShut();
    void eachLevelDealsItsKindsEvenly_data();
    void eachLevelDealsItsKindsEvenly();
    void twoPiecesStayOnShowForTheirDelay_data();
    void twoPiecesStayOnShowForTheirDelay();
    void theBoardRefusesInputDuringADelay_data();
    void theBoardRefusesInputDuringADelay();
    void recordsAreSetOnlyWhenStrictlyBetter_data();
    void recordsAreSetOnlyWhenStrictlyBetter();
    void clearingTheHistoryResetsTheRecords_data();
    void clearingTheHistoryResetsTheRecords();
    void clearingCopiesHistoryAndRecordsFirst_data();
    void clearingCopiesHistoryAndRecordsFirst();
    void savedLinesAreExactBytes_data();
    void savedLinesAreExactBytes();
    void aDamagedFileIsToldAndTheGameGoesOn_data();
    void aDamagedFileIsToldAndTheGameGoesOn();
};

void tst_IconConcentrationWindow::aWrongNumberOfIconsKeepsTheWindowShut_data()
{
    QTest::addColumn<int>("icons");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("none") << 0 << "アイコンが 20個 足りません\r\nアイコンを補充してからプレイしてください。"
                          << "アイコン不足";
    QTest::newRow("nineteen") << 19 << "アイコンが 1個 足りません\r\nアイコンを補充してからプレイしてください。"
                              << "アイコン不足";
    QTest::newRow("twenty-one") << 21 << "アイコンが 1個 余分です\r\n不要なアイコンを削除してからプレイしてください。"
                                << "アイコン余分";
}

void tst_IconConcentrationWindow::aWrongNumberOfIconsKeepsTheWindowShut()
{
    QFETCH(int, icons);
    QFETCH(QString, text);
    QFETCH(QString, title);
    GameFixture f;
    writeIcons(icons);
    f.dir.write(QStringLiteral("旗.png"), "not an icon"); // other pictures do not count
    QPointer<IconConcentrationWindow> w = f.open<IconConcentrationWindow>();
    QVERIFY(w->closing());
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown.first().text, text);
    QCOMPARE(f.messages.shown.first().title, title);
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    QCOMPARE(f.navigator.quits, 1); // the program ends
    QCOMPARE(f.navigator.mains, 0);
    QVERIFY(!f.dir.exists(kSettings));
    QTRY_VERIFY(w.isNull());
}

void tst_IconConcentrationWindow::eachLevelDealsItsKindsEvenly_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<int>("kinds");
    QTest::newRow("イージー") << "イージー" << 2;
    QTest::newRow("ノーマル") << "ノーマル" << 4;
    QTest::newRow("ハード") << "ハード" << 10;
    QTest::newRow("パニック") << "パニック" << 20;
}

void tst_IconConcentrationWindow::eachLevelDealsItsKindsEvenly()
{
    QFETCH(QString, level);
    QFETCH(int, kinds);
    GameFixture f;
    writeIcons(ic::kConcentrationIcons);
    f.dir.write(kSettings, sjis(QStringLiteral("\"%1\",1,1,0.5,0.5\r\n").arg(level)));
    IconConcentrationWindow *w = f.open<IconConcentrationWindow>(); // the fixture's seeded generator deals
    w->cmdStart_Click();
    QHash<QString, int> counts;
    for (int i = 1; i <= IconConcentrationWindow::kPieces; ++i) {
        counts[w->boardName(i)] += 1;
        QVERIFY(!w->imgKoma(i)->pixmap().isNull());
        QVERIFY(!w->cmdKoma(i)->isHidden());
        QVERIFY(!w->cmdKoma(i)->isEnabled()); // not before the game begins
    }
    QCOMPARE(counts.size(), kinds);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        QVERIFY(w->iconNames().contains(it.key()));
        QCOMPARE(it.value(), IconConcentrationWindow::kPieces / kinds);
    }
    QVERIFY(!w->cboMondai()->isEnabled());
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    QVERIFY(w->cmdKoma(1)->isEnabled() && w->cmdKoma(40)->isEnabled());
    QVERIFY(w->tmrPlay()->isActive());
}

void tst_IconConcentrationWindow::twoPiecesStayOnShowForTheirDelay_data()
{
    QTest::addColumn<int>("second"); // the first piece is 1; イージー from draws of 0: odd and even alternate
    QTest::addColumn<bool>("names");
    QTest::addColumn<qint64>("delayMs");
    QTest::newRow("a pair, removed after 1.5 s") << 3 << true << qint64(1500);
    QTest::newRow("a miss, turned back after 0.3 s") << 2 << true << qint64(300);
    QTest::newRow("a miss with the names off") << 2 << false << qint64(300);
}

void tst_IconConcentrationWindow::twoPiecesStayOnShowForTheirDelay()
{
    QFETCH(int, second);
    QFETCH(bool, names);
    QFETCH(qint64, delayMs);
    const bool pair = second == 3;
    GameFixture f;
    Board b(f, QStringLiteral("\"イージー\",%1,1,0.3,1.5").arg(names ? 1 : 0));
    b.start();
    int looks = 0;
    f.clock.onWait = [&](double) {
        ++looks;
        for (int i : {1, second}) {
            QVERIFY(!b.faceDown(i) && !b.w->imgKoma(i)->isHidden());
            QCOMPARE(!b.w->lblKoma(i)->isHidden(), names);
        }
        QCOMPARE(b.label("lblTrun"), QStringLiteral("0"));
    };
    b.w->cmdKoma_Click(1);
    QCOMPARE(b.w->openPiece(), 1);
    const qint64 before = f.clock.elapsedNs();
    b.w->cmdKoma_Click(second);
    f.clock.onWait = nullptr;
    QVERIFY(looks > 0);
    QCOMPARE((f.clock.elapsedNs() - before) / 1000000, delayMs);
    for (int i : {1, second}) {
        QCOMPARE(b.faceDown(i), !pair);
        QCOMPARE(b.w->imgKoma(i)->isHidden(), pair);
        QVERIFY(b.w->lblKoma(i)->isHidden());
    }
    QCOMPARE(b.label("lblTrun"), QStringLiteral("1"));
    QCOMPARE(b.label("lblZan"), pair ? QStringLiteral("38") : QStringLiteral("40"));
    QCOMPARE(b.label("lblNg"), pair ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(b.w->openPiece(), 0);
    b.w->cmdKoma_Click(1); // removed stays removed; turned back can be turned again
    QCOMPARE(b.w->openPiece(), pair ? 0 : 1);
}

void tst_IconConcentrationWindow::theBoardRefusesInputDuringADelay_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("a click on a face-down piece") << "click";
    QTest::newRow("the piece's handler itself") << "handler";
    QTest::newRow("戻り leaves at once") << "back";
}

void tst_IconConcentrationWindow::theBoardRefusesInputDuringADelay()
{
    QFETCH(QString, action);
    GameFixture f;
    Board b(f, QStringLiteral("\"イージー\",1,1,2,2"));
    QPointer<IconConcentrationWindow> w = b.w;
    w->show();
    b.start();
    bool clockRan = false;
    f.clock.onWait = [&](double) {
        if (!w)
            return;
        clockRan = w->tmrPlay()->isActive(); // the elapsed time goes on showing
        QVERIFY(w->delaying());
        if (action == "click")
            QTest::mouseClick(w->cmdKoma(5), Qt::LeftButton);
        else if (action == "handler")
            w->cmdKoma_Click(5);
        else
            QTest::mouseClick(w->cmdEnd(), Qt::LeftButton);
    };
    w->cmdKoma_Click(1);
    w->cmdKoma_Click(2); // a miss: two seconds on show
    f.clock.onWait = nullptr;
    if (action == "back") {
        QCOMPARE(f.navigator.mains, 1);
        QTRY_VERIFY(w.isNull());
        return;
    }
    QVERIFY(clockRan);
    QVERIFY(b.faceDown(5)); // dropped, not turned after the delay either
    QCOMPARE(w->openPiece(), 0);
    QCOMPARE(b.label("lblTrun"), QStringLiteral("1"));
    QTest::mouseClick(w->cmdKoma(5), Qt::LeftButton);
    QCOMPARE(w->openPiece(), 5);
}

void tst_IconConcentrationWindow::recordsAreSetOnlyWhenStrictlyBetter_data()
{
    QTest::addColumn<QByteArray>("old"); // パニック's line
    QTest::addColumn<int>("misses");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QByteArray>("now");
    QTest::addColumn<QString>("turnMark");
    QTest::addColumn<QString>("timeMark");
    const QString o = QStringLiteral("○");
    QTest::newRow("no record yet: both") << kNoRecord << 0 << 30.0 << QByteArray("20,\"30.0\"\r\n") << o << o;
    QTest::newRow("equal: neither") << QByteArray("20,\"30.0\"\r\n") << 0 << 30.0 << QByteArray("20,\"30.0\"\r\n") << ""
                                    << "";
    QTest::newRow("fewer turns only") << QByteArray("22,\"25.0\"\r\n") << 0 << 30.0 << QByteArray("20,\"25.0\"\r\n")
                                      << o << "";
    QTest::newRow("a tenth faster only") << QByteArray("20,\"31.5\"\r\n") << 1 << 31.4 << QByteArray("20,\"31.4\"\r\n")
                                         << "" << o;
    QTest::newRow("faster by less than the tenth shown")
        << QByteArray("21,\"30.0\"\r\n") << 1 << 29.96 << QByteArray("21,\"30.0\"\r\n") << ""
        << "";
}

void tst_IconConcentrationWindow::recordsAreSetOnlyWhenStrictlyBetter()
{
    QFETCH(QByteArray, old);
    QFETCH(int, misses);
    QFETCH(double, seconds);
    QFETCH(QByteArray, now);
    QFETCH(QString, turnMark);
    QFETCH(QString, timeMark);
    GameFixture f;
    const QByteArray others = kNoRecord + QByteArray("45,\"80.5\"\r\n") + kNoRecord;
    f.dir.write(kRecords, others + old);
    Board b(f, QStringLiteral("\"パニック\",1,1,0.1,0.1"));
    b.start();
    b.playPanic(misses, seconds);
    QCOMPARE(b.w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(b.w->turns(), 20 + misses);
    QCOMPARE(f.dir.bytes(kRecords), others + now);
    const HistoryEntry e = readHistory(ic::iconConcentrationHistory()).entries.value(0);
    QCOMPARE(e.field(7), turnMark);
    QCOMPARE(e.field(8), timeMark);
    const QList<QByteArray> shown = now.trimmed().split(',');
    QCOMPARE(b.label("lblKiroku"), QString::fromLatin1(shown.at(0)));
    QCOMPARE(b.label("lblKirokuByou"), QString::fromLatin1(shown.at(1)).remove('"'));
    QVERIFY(b.w->cboMondai()->isEnabled() && b.w->cmdStart()->isEnabled());
}

void tst_IconConcentrationWindow::clearingTheHistoryResetsTheRecords_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK: four lines without a record") << true;
    QTest::newRow("Cancel: the records stay") << false;
}

void tst_IconConcentrationWindow::clearingTheHistoryResetsTheRecords()
{
    QFETCH(bool, ok);
    GameFixture f;
    const QByteArray records = "30,\"41.2\"\r\n25,\"38.0\"\r\n22,\"35.5\"\r\n20,\"20.0\"\r\n";
    f.dir.write(kRecords, records);
    Board b(f, QStringLiteral("\"パニック\",1,1,0.1,0.1"));
    QCOMPARE(b.label("lblKiroku"), QStringLiteral("20"));
    f.messages.answerNext(ok ? MsgAnswer::Ok : MsgAnswer::Cancel);
    b.w->cmdClear_Click();
    QCOMPARE(f.dir.bytes(kRecords), ok ? kNoRecord.repeated(4) : records);
    QCOMPARE(b.label("lblKiroku"), ok ? QStringLiteral("-----") : QStringLiteral("20"));
    QCOMPARE(b.label("lblKirokuByou"), ok ? QStringLiteral("-----") : QStringLiteral("20.0"));
    // A slow game of many turns after it: a record only on fresh records.
    b.start();
    b.playPanic(3, 99.0);
    const HistoryEntry e = readHistory(ic::iconConcentrationHistory()).entries.value(0);
    QCOMPARE(e.field(7), ok ? QStringLiteral("○") : QString());
    QCOMPARE(e.field(8), ok ? QStringLiteral("○") : QString());
}

void tst_IconConcentrationWindow::clearingCopiesHistoryAndRecordsFirst_data()
{
    QTest::addColumn<bool>("history");  // a history with entries (else none)
    QTest::addColumn<bool>("records");  // a records file (else none)
    QTest::addColumn<QString>("block"); // "", "file" (a file named バックアップ), "cut" (the first copy cut short)
    QTest::addColumn<QString>("refused"); // the file named when the clear is refused
    QTest::newRow("both copied") << true << true << QString() << QString();
    QTest::newRow("records alone copied") << false << true << QString() << QString();
    QTest::newRow("no records file: history alone") << true << false << QString() << QString();
    QTest::newRow("history copy cut short") << true << true << "cut" << kHistory;
    QTest::newRow("records copy cut short") << false << true << "cut" << kRecords;
    // The history needs no copy; the records' copy fails: nothing is cleared.
    QTest::newRow("records copy blocked") << false << true << "file" << kRecords;
}

void tst_IconConcentrationWindow::clearingCopiesHistoryAndRecordsFirst()
{
    QFETCH(bool, history);
    QFETCH(bool, records);
    QFETCH(QString, block);
    QFETCH(QString, refused);
    GameFixture f;
    const QByteArray held = "30,\"41.2\"\r\n25,\"38.0\"\r\n22,\"35.5\"\r\n20,\"20.0\"\r\n";
    const QByteArray entries =
        sjisLines({QStringLiteral("\"2026/12/06\",\"14:06:07\",\"パニック\",\"○\",\"20回\",\"20.0\",\"○\",\"○\"")});
    if (records)
        f.dir.write(kRecords, held);
    if (history)
        f.dir.write(kHistory, entries);
    Board b(f, QStringLiteral("\"パニック\",1,1,0.1,0.1"));
    const QString shown = b.label("lblKiroku");
    // A copy cut short: the system refuses the bytes of a file past the eighth.
    std::optional<FileSizeLimit> full;
    if (block == QLatin1String("file"))
        f.dir.write(kBackupFolder, "in the way");
    else if (block == QLatin1String("cut"))
        full.emplace(8);
    b.w->cmdClear_Click();
    full.reset();

    const QString historyCopy = kBackupFolder + QLatin1Char('/') + backupName(kHistory, f.clock.now());
    const QString recordsCopy = kBackupFolder + QLatin1Char('/') + backupName(kRecords, f.clock.now());
    if (!refused.isEmpty()) {
        QVERIFY2(f.messages.shown.last().text.contains(
                     QStringLiteral("「%1」のバックアップを作れなかったため").arg(refused)),
                 qPrintable(f.messages.shown.last().text));
        QCOMPARE(f.dir.bytes(kRecords), held);
        QCOMPARE(f.dir.bytes(kHistory), history ? entries : QByteArray());
        QCOMPARE(b.label("lblKiroku"), shown);
        QCOMPARE(b.w->msgRireki()->rows(), history ? 2 : 1);
        QVERIFY(!f.dir.exists(recordsCopy));
        return;
    }
    QCOMPARE(f.messages.shown.last().text, QStringLiteral("履歴データをクリアしました"));
    QCOMPARE(f.dir.bytes(kRecords), kNoRecord.repeated(4));
    QCOMPARE(b.label("lblKiroku"), QStringLiteral("-----"));
    QCOMPARE(f.dir.bytes(kHistory), QByteArray());
    QCOMPARE(f.dir.exists(historyCopy), history);
    if (history)
        QCOMPARE(f.dir.bytes(historyCopy), entries);
    QCOMPARE(f.dir.exists(recordsCopy), records);
    if (records)
        QCOMPARE(f.dir.bytes(recordsCopy), held);
}

void tst_IconConcentrationWindow::savedLinesAreExactBytes_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<bool>("pressSave");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("log");
    const QString log = QStringLiteral("\"2026/12/07\",\"14:06:07\",\"アイコン衰弱\",34.5,\"パニック 20回  34.5秒\",");
    QTest::newRow("names on, both records, saved at once")
        << "\"パニック\",1,1,0.1,0.1" << QByteArray() << false
        << "\"2026/12/07\",\"14:06:07\",\"パニック\",\"○\",\"20回\",\"34.5\",\"○\",\"○\"" << log;
    QTest::newRow("names off, no record, saved by hand")
        << "\"パニック\",0,0,0.1,0.1" << QByteArray("20,\"30.0\"\r\n").repeated(4) << true
        << "\"2026/12/07\",\"14:06:07\",\"パニック\",,\"20回\",\"34.5\",," << log;
}

void tst_IconConcentrationWindow::savedLinesAreExactBytes()
{
    QFETCH(QString, settings);
    QFETCH(QByteArray, records);
    QFETCH(bool, pressSave);
    QFETCH(QString, history);
    QFETCH(QString, log);
    GameFixture f;
    if (!records.isEmpty())
        f.dir.write(kRecords, records);
    Board b(f, settings);
    b.w->cmdHozon_Click(); // nothing to save before a game
    QVERIFY(!f.dir.exists(kHistory));
    b.start();
    b.playPanic(0, 34.5);
    if (pressSave) {
        // The level chosen after the game does not change what is saved.
        pick(b.w->cboMondai(), QStringLiteral("イージー"));
        b.w->cboMondai_Click();
        b.w->cmdHozon_Click();
    }
    QCOMPARE(f.dir.bytes(kHistory), sjis(history + QStringLiteral("\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile), sjis(log + QStringLiteral("\r\n")));
    if (records.isEmpty())
        QCOMPARE(f.dir.bytes(kRecords), kNoRecord.repeated(3) + "20,\"34.5\"\r\n");
}

void tst_IconConcentrationWindow::aDamagedFileIsToldAndTheGameGoesOn_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("told");
    QTest::newRow("a records line that is no record")
        << kRecords << QByteArray("20,abc\r\n") << "「アイコン衰弱記録.txt」のイージーの記録が読めません";
    QTest::newRow("an icon file that is no picture") << "アメリカ.ico" << QByteArray("not a picture") << "アメリカ.ico";
}

void tst_IconConcentrationWindow::aDamagedFileIsToldAndTheGameGoesOn()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    GameFixture f;
    writeIcons(ic::kConcentrationIcons);
    f.dir.write(file, bytes);
    IconConcentrationWindow *w = f.open<IconConcentrationWindow>();
    w->show();
    QTRY_COMPARE(f.messages.shown.size(), 1);
    QVERIFY2(f.messages.shown.first().text.contains(told), qPrintable(f.messages.shown.first().text));
    QCOMPARE(w->findChild<QLabel *>("lblKiroku")->text(), QStringLiteral("-----"));
    pick(w->cboMondai(), QStringLiteral("パニック"));
    w->cboMondai_Click();
    w->cmdStart_Click();
    for (int i = 1; i <= IconConcentrationWindow::kPieces; ++i)
        QVERIFY(!w->imgKoma(i)->pixmap().isNull()); // an unreadable picture shows its name
}

QTEST_MAIN(tst_IconConcentrationWindow)
#include "tst_iconconcentrationwindow.moc"
