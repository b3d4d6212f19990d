// kioku_shots [--light-only | --dark-only] [--text-size 1|1.25|1.5] <output folder>
//
// Renders every window and panel of kioku offscreen and saves one PNG per
// screen, for a look by eye: once in the desktop's own look and once more as
// under a dark desktop theme (dark_<name>.png). The windows run on a throw-away data folder with
// a sample play log, a fake clock (2026/12/07 14:05:33) and seeded chance, so
// every run draws the same pictures. Prints the path of each file written;
// exits non-zero when a screen could not be grabbed or saved.
#include "../bench/playloggen.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/goal.h"
#include "core/playlog/playlog.h"
#include "core/random.h"
#include "core/rules/iconconcentration.h"
#include "core/rules/imagememory.h"
#include "core/rules/numbermemory.h"
#include "core/rules/scrambled.h"
#include "core/settings.h"
#include "core/textsize.h"
#include "games/frame/gamedescription.h"
#include "games/frame/gameframe.h"
#include "games/registry.h"
#include "games/typing/cycletypingwindow.h"
#include "games/typing/scrambledtypingwindow.h"
#include "games/typing/timelagtypingwindow.h"
#include "games/visual/iconconcentrationwindow.h"
#include "games/visual/imagememorywindow.h"
#include "games/visual/numbermemorywindow.h"
#include "games/visual/trackingmemorywindow.h"
#include "main/appsetup.h"
#include "main/editpanel.h"
#include "main/exportdialog.h"
#include "main/mainwindow.h"
#include "main/todaypanel.h"
#include "shots/transfershots.h"
#include "testing/darkpalette.h"
#include "testing/headless.h"
#include "widgets/answerbox.h"
#include "widgets/appcontext.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"
#include "widgets/textscale.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <utility>

using namespace kioku;
namespace nm = kioku::rules;

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

// Writes the PNGs and counts the failures.
class Shooter {
public:
    explicit Shooter(QString dir) : m_dir(std::move(dir)) {}

    // Every file name of a pass starts with this ("dark_" for the dark desktop).
    void setPrefix(const QString &prefix) { m_prefix = prefix; }

    // Lets layouts and pending paints settle, then grabs `w` into `<dir>/<prefix><name>`.
    void shoot(QWidget *w, const QString &name)
    {
        settle();
        const QString path = QDir(m_dir).filePath(m_prefix + name);
        if (!w) {
            fail(path, QStringLiteral("no window to grab"));
            return;
        }
        const QPixmap pm = w->grab();
        if (pm.isNull() || pm.width() < 2 || pm.height() < 2) {
            fail(path, QStringLiteral("the grab came back empty"));
            return;
        }
        if (!pm.save(path, "PNG")) {
            fail(path, QStringLiteral("could not write the file"));
            return;
        }
        out() << QDir::toNativeSeparators(path) << Qt::endl;
        ++m_written;
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    int written() const { return m_written; }
    int failures() const { return m_failures; }

private:
    void fail(const QString &path, const QString &why)
    {
        err() << "kioku_shots: " << QDir::toNativeSeparators(path) << ": " << why << Qt::endl;
        ++m_failures;
    }

    QString m_dir;
    QString m_prefix;
    int m_written = 0;
    int m_failures = 0;
};

const QDateTime kNow(QDate(2026, 12, 7), QTime(14, 5, 33));

PlayRecord record(const QDate &day, const QTime &time, const QString &item, float seconds, const QString &comment)
{
    PlayRecord r;
    r.date = day.toString(QStringLiteral("yyyy/MM/dd"));
    r.time = time.toString(QStringLiteral("HH:mm:ss"));
    r.item = item;
    r.seconds = seconds;
    r.comment = comment;
    return r;
}

bool writeOk(const text::WriteResult &w, const QString &what)
{
    if (!w.ok)
        err() << "kioku_shots: " << what << ": " << w.message << Qt::endl;
    return w.ok;
}

// A number-memory play saved the way the game saves one: its history line and
// its play-log record from the same result.
bool saveNumberMemoryPlay(const QDateTime &at, const QString &marks, float displayTime)
{
    nm::NumberMemoryResult r;
    r.saved = at;
    // One mark per position; the positions past the digit count are dashes.
    r.marks = marks + QStringLiteral("－").repeated(nm::kDigitPositions - marks.size());
    r.right = int(marks.count(QStringLiteral("○")));
    r.wrong = int(marks.count(QStringLiteral("×")));
    r.rate = nm::correctRate(r.right, r.right + r.wrong);
    r.displayTime = displayTime;
    return writeOk(appendHistory(nm::numberMemoryHistory(), nm::historyEntry(r)), nm::kNumberMemoryHistoryFile)
        && writeOk(appendPlayRecord(nm::playRecord(r)), kPlayLogFile);
}

// A year of practice up to the end of November (streaks and breaks, busy and
// quiet days, every game), for the views; then the week shown in detail.
bool writeSampleYear()
{
    bench::GenOptions o;
    o.records = 1500;
    o.endDate = QDate(2026, 11, 30);
    o.years = 1;
    o.seed = 20261130;
    const QList<PlayRecord> year = bench::PlayLogGenerator(o).generate();
    return writeOk(text::writeLines(kPlayLogFile, bench::PlayLogGenerator::lines(year)), kPlayLogFile);
}

// A week of practice: several games a day, most kinds today so the lamps light up.
bool writeSampleData()
{
    bool ok = writeOk(writeUserName(QStringLiteral("山田")), kNameFile);
    ok = writeSampleYear() && ok;
    // The text size the windows are drawn at, as the edit screen shows it.
    if (textScale() != 1.0)
        ok = writeOk(writeTextSize(textScale()), kTextSizeFile) && ok;

    // Number memory: eight digits, with right and wrong positions.
    struct G1Play {
        int day;
        const char *time;
        const char *marks;
        float display;
    };
    const G1Play g1[] = {
        {1, "08:12:40", "○○×○○○×○", 3}, {1, "20:31:05", "○○○○○○○○", 3}, {2, "07:55:18", "○×○○×○○○", 0.5f},
        {3, "12:04:51", "○○○○○○○×", 3}, {3, "21:40:02", "○○○○○×××", 1}, {5, "09:18:33", "○○○○○○○○", 3},
        {6, "19:02:27", "×○○○○○○○", 2}, {7, "08:20:16", "○○×○○○○○", 3}, {7, "11:47:09", "○○○○○○○○", 3},
    };
    // The other games, as their own summaries read.
    struct OtherPlay {
        int day;
        const char *time;
        const char *item;
        float seconds;
        const char *comment;
    };
    const OtherPlay others[] = {
        {1, "08:25:02", "時間差記憶", 60, "秒数 : 60  2回モード"},
        {2, "08:03:44", "アイコン衰弱", 96.4f, "ターン数 : 18"},
        {2, "08:10:12", "バラバラ記憶", 41.3f, "秒数 : 41.3   答数 : 10"},
        {2, "22:15:37", "輪廻記憶", 52.8f, "3 / 5 回"},
        {3, "12:15:20", "画像記憶", 5, "暗記数 : 6   正解 : 5   不正解 : 1   正解率 : 83.3%"},
        {5, "09:30:48", "追跡記憶", 38.6f, "レベル : 7"},
        {5, "09:41:09", "時間差記憶", 27.5f, "答数 : 20  1回モード"},
        {6, "19:15:55", "バラバラ記憶", 60, "秒数 : 60   答数 : 37"},
        {7, "08:31:47", "画像記憶", 5, "暗記数 : 6   正解 : 6   不正解 : 0   正解率 : 100.0%"},
        {7, "09:02:30", "アイコン衰弱", 84.2f, "ターン数 : 15"},
        {7, "12:10:05", "輪廻記憶", 61.7f, "4 / 6 回"},
        {7, "13:36:58", "追跡記憶", 44.1f, "レベル : 8"},
    };

    // Appended in time order, as the plays were saved.
    for (int day = 1; day <= 7; ++day) {
        struct Entry {
            QTime time;
            const G1Play *g1 = nullptr;
            const OtherPlay *other = nullptr;
        };
        QList<Entry> entries;
        for (const G1Play &p : g1)
            if (p.day == day)
                entries.append(
                    {QTime::fromString(QString::fromLatin1(p.time), QStringLiteral("HH:mm:ss")), &p, nullptr});
        for (const OtherPlay &p : others)
            if (p.day == day)
                entries.append(
                    {QTime::fromString(QString::fromLatin1(p.time), QStringLiteral("HH:mm:ss")), nullptr, &p});
        std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.time < b.time; });
        const QDate date(2026, 12, day);
        for (const Entry &e : entries) {
            if (e.g1)
                ok = saveNumberMemoryPlay(QDateTime(date, e.time), QString::fromUtf8(e.g1->marks), e.g1->display) && ok;
            else
                ok = writeOk(appendPlayRecord(record(date, e.time, QString::fromUtf8(e.other->item), e.other->seconds,
                                                     QString::fromUtf8(e.other->comment))),
                             kPlayLogFile)
                    && ok;
        }
    }

    // Number memory opens with eight digits shown for three seconds, auto-save on.
    GameSettings s = GameSettings::read(nm::numberMemorySettings());
    s.setInt(nm::NumberMemorySetting::DigitCount, 8);
    s.setFloat(nm::NumberMemorySetting::DisplayTime, 3);
    s.setInt(nm::NumberMemorySetting::AutoSave, 1);
    ok = writeOk(s.write(), nm::kNumberMemorySettingsFile) && ok;
    return ok;
}

// The welcome box of the help tour, built by the program's own message service,
// shown without blocking and grabbed.
void shootWelcomeBox(Shooter &shots, QWidget *parent)
{
    const std::unique_ptr<QMessageBox> box = QtMessageService::createBox(
        parent, MainWindow::welcomeText(), QStringLiteral("ヘルプツアー"), MsgButtons::Ok, MsgIcon::Information);
    box->show();
    shots.shoot(box.get(), QStringLiteral("msgbox_welcome.png"));
    box->hide();
}

struct Context {
    FakeServices services{kNow, 7};
    FakeClock &clock = services.clock;
    AppContext &ctx = services.ctx;

    void drawValues(const QList<double> &values) { services.random.setValues(values); }
};

std::unique_ptr<MainWindow> loadMain(Context &c)
{
    auto w = std::make_unique<MainWindow>(c.ctx);
    w->Form_Load();
    return w;
}

void shootMainWindow(Shooter &shots, Context &c)
{
    auto w = loadMain(c);
    shots.shoot(w.get(), QStringLiteral("main_today.png"));

    // A daily goal of ten minutes: the day's progress, the days it was met.
    writeDailyGoal({DailyGoal::Kind::Minutes, 10}, c.clock.now());
    w->refreshToday();
    shots.shoot(w.get(), QStringLiteral("main_today_goal.png"));
    // Three kinds of games a day: met today, and the days it was met dotted.
    writeDailyGoal({DailyGoal::Kind::Kinds, 3}, c.clock.now());
    w->refreshToday();
    shots.shoot(w.get(), QStringLiteral("main_today_goal_met.png"));
    w->cmdCale->click();
    shots.shoot(w.get(), QStringLiteral("main_cale_goal.png"));
    writeDailyGoal({}, c.clock.now());
    w->cmdMain->click();
    w->refreshToday();

    w->fraMain->mtvmain->clickDate(QDate(2026, 12, 3));
    shots.shoot(w.get(), QStringLiteral("main_day_other.png"));

    w->cmdGame->click(); // back to today, with the launcher strip over the panels
    shots.shoot(w.get(), QStringLiteral("main_gamestrip.png"));
    w->cmdModori->click();

    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(3, 2);
    shots.shoot(w.get(), QStringLiteral("main_edit.png"));
    // The export window over the edit screen, with each of its two choices.
    w->findChild<QPushButton *>(QStringLiteral("cmdKakidashi"))->click();
    if (auto *dialog = w->findChild<ExportDialog *>(QStringLiteral("frmExport"))) {
        shots.shoot(dialog, QStringLiteral("export_dialog.png"));
        dialog->optPdf->click();
        shots.shoot(dialog, QStringLiteral("export_dialog_pdf.png"));
        dialog->close();
    } else {
        shots.shoot(nullptr, QStringLiteral("export_dialog.png"));
    }

    // Every view, as it opens and with each of its graphs drawn.
    struct View {
        QPushButton *button;
        const char *file;
    };
    const View views[] = {
        {w->cmdRentai, "main_rentai"},   {w->cmdTaijyu, "main_taijyu"}, {w->cmdSyuukei, "main_syuukei"},
        {w->cmdBunseki, "main_bunseki"}, {w->cmdCale, "main_cale"},     {w->cmdMemo, "main_memo"},
        {w->cmdMain, "main_today"},
    };
    for (const View &v : views) {
        v.button->click();
        const QString base = QString::fromLatin1(v.file);
        if (v.button != w->cmdMain)
            shots.shoot(w.get(), base + QStringLiteral(".png"));
        QWidget *panel = nullptr;
        for (QWidget *p : w->findChild<QWidget *>(QStringLiteral("panelHost"))
                              ->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (p->isVisible())
                panel = p;
        if (!panel)
            continue;
        for (GraphButtons *graphs : panel->findChildren<GraphButtons *>()) {
            for (const QString &name : graphs->names()) {
                if (!graphs->button(name)->isEnabled())
                    continue;
                graphs->button(name)->click();
                shots.shoot(w.get(), base + QStringLiteral("_") + name + QStringLiteral(".png"));
            }
        }
    }

    w->cmdMain->click();
    w->cmdHelp->click();
    shots.shoot(w->findChild<HelpViewer *>(), QStringLiteral("help_viewer.png"));
    HelpViewer::closeAll();

    shootWelcomeBox(shots, w.get());
}

void shootNumberMemory(Shooter &shots, Context &c)
{
    // Digits 1 2 8 2 6 0 5 4: each draw is the integer part of nine times the value.
    c.drawValues({0.13, 0.25, 0.91, 0.33, 0.77, 0.05, 0.64, 0.48});
    auto *w = static_cast<NumberMemoryWindow *>(openGameWindow<NumberMemoryWindow>(c.ctx));
    QPointer<NumberMemoryWindow> guard(w);
    // The countdown is ticked by hand below, one picture per tick.
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->show();
    shots.shoot(w, QStringLiteral("g1_idle.png"));

    w->cmdStart_Click();
    w->tmrStart_Timer();
    shots.shoot(w, QStringLiteral("g1_countdown.png"));

    // The display phase waits on the clock; one picture a little into it.
    bool shot = false;
    qint64 displayStart = -1;
    c.clock.onWait = [&](double) {
        if (shot || w->playState() != GameFrame::PlayState::Showing)
            return;
        if (displayStart < 0)
            displayStart = c.clock.elapsedNs();
        if (c.clock.elapsedNs() - displayStart >= 1000000000LL) {
            shot = true;
            shots.shoot(w, QStringLiteral("g1_display.png"));
        }
    };
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    c.clock.onWait = nullptr;
    if (!guard) {
        err() << "kioku_shots: the number-memory window closed during its display" << Qt::endl;
        return;
    }
    if (!shot)
        shots.shoot(nullptr, QStringLiteral("g1_display.png"));
    shots.shoot(w, QStringLiteral("g1_answering.png"));

    // Six right, two wrong.
    const QStringList typed{"1", "2", "3", "2", "6", "0", "7", "4"};
    for (int i = 0; i < typed.size(); ++i)
        w->txtKaitou(i + 1)->setText(typed.at(i));
    c.clock.advanceMs(9000);
    w->cmdKekka_Click(); // auto-save is on: the play joins the history at once
    shots.shoot(w, QStringLiteral("g1_judged.png"));

    w->cmdRitu_Click();
    shots.shoot(w, QStringLiteral("g1_view_rate.png"));
    w->cmdByou_Click();
    shots.shoot(w, QStringLiteral("g1_view_seconds.png"));

    w->cmdKaitou_Click();
    w->chkAs()->setChecked(false);
    w->chkAs_Click();
    shots.shoot(w, QStringLiteral("g1_manual_save.png"));

    // Nine digits, every one right, saved by 保存: a new best of the player's own.
    c.drawValues({0.13, 0.25, 0.91, 0.33, 0.77, 0.05, 0.64, 0.48, 0.2});
    if (auto *digits = w->findChild<QComboBox *>(QStringLiteral("cboKaisu"))) {
        digits->setCurrentIndex(digits->findText(QStringLiteral("9")));
        w->cboKaisu_Click();
    }
    w->cmdStart_Click();
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    if (!guard)
        return;
    const QStringList right{"1", "2", "8", "2", "6", "0", "5", "4", "1"};
    for (int i = 0; i < right.size(); ++i)
        w->txtKaitou(i + 1)->setText(right.at(i));
    w->cmdKekka_Click();
    w->cmdHozon_Click();
    shots.shoot(w, QStringLiteral("g1_new_best.png"));

    delete guard.data();
}

// 画像記憶 on the icons of the data folder (a few drawn here when the folder has
// none): opened with its preview, the display with and without the names,
// answering, judged.
void shootImageMemory(Shooter &shots, Context &c)
{
    namespace im = kioku::rules;
    QStringList written;
    if (im::listIcons().isEmpty()) {
        const QStringList fruits{"りんご", "みかん", "ぶどう",   "もも", "いちご", "すいか", "メロン",
                                 "バナナ", "キウイ", "レモン",   "なし", "かき",   "くり",   "うめ",
                                 "ゆず",   "ライチ", "マンゴー", "びわ", "あんず", "ざくろ"};
        for (int i = 0; i < int(fruits.size()); ++i) {
            QImage img(48, 48, QImage::Format_ARGB32);
            img.fill(Qt::transparent);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor::fromHsv((i * 47) % 360, 190, 215));
            p.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
            p.setBrush(QColor(255, 255, 255, 210));
            const int k = i % 4;
            if (k == 0)
                p.drawEllipse(QRectF(14, 14, 20, 20));
            else if (k == 1)
                p.drawRect(QRectF(14, 14, 20, 20));
            else if (k == 2)
                p.drawPolygon(QPolygonF({QPointF(24, 11), QPointF(37, 35), QPointF(11, 35)}));
            else
                p.drawRect(QRectF(10, 20, 28, 8));
            p.end();
            const QString file = fruits.at(i) + QStringLiteral(".ico");
            if (QImageWriter(file, "ico").write(img))
                written << file;
        }
    }
    // Three earlier plays in the history; eight icons shown for five seconds, with names.
    const int earlier[][2] = {{5, 3}, {7, 1}, {8, 0}};
    for (int d = 0; d < 3; ++d) {
        im::ImageMemoryResult r;
        r.saved = QDateTime(QDate(2026, 12, 3 + 2 * d), QTime(12, 15, 20));
        r.right = earlier[d][0];
        r.wrong = earlier[d][1];
        r.marks = QString(QStringLiteral("○")).repeated(r.right) + QString(QStringLiteral("×")).repeated(r.wrong)
            + QString(QStringLiteral("－")).repeated(15 - r.right - r.wrong);
        r.rate = nm::correctRate(r.right, r.right + r.wrong);
        r.displayTime = 5;
        writeOk(appendHistory(im::imageMemoryHistory(), im::historyEntry(r)), im::kImageMemoryHistoryFile);
    }
    GameSettings s = GameSettings::read(im::imageMemorySettings());
    s.setInt(im::ImageMemorySetting::IconCount, 8);
    s.setInt(im::ImageMemorySetting::DisplayTime, 5);
    s.setInt(im::ImageMemorySetting::NameDisplay, 1);
    s.setInt(im::ImageMemorySetting::AutoSave, 1);
    writeOk(s.write(), im::kImageMemorySettingsFile);

    c.drawValues({0.41, 0.07, 0.93, 0.22, 0.68, 0.35, 0.81, 0.14, 0.57, 0.02, 0.76, 0.49, 0.28, 0.9, 0.63, 0.3});
    QPointer<ImageMemoryWindow> w = static_cast<ImageMemoryWindow *>(openGameWindow<ImageMemoryWindow>(c.ctx));
    if (!w || w->closing()) {
        shots.shoot(nullptr, QStringLiteral("g6_idle.png"));
        return;
    }
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->show();
    shots.shoot(w, QStringLiteral("g6_idle.png"));

    // One picture a little into each display.
    const auto play = [&](const QString &name) {
        bool shot = false;
        qint64 displayStart = -1;
        c.clock.onWait = [&](double) {
            if (shot || !w || w->playState() != GameFrame::PlayState::Showing)
                return;
            if (displayStart < 0)
                displayStart = c.clock.elapsedNs();
            if (c.clock.elapsedNs() - displayStart >= 1000000000LL) {
                shot = true;
                shots.shoot(w, name);
            }
        };
        w->cmdStart_Click();
        for (int i = 0; i < 3 && w; ++i)
            w->tmrStart_Timer();
        c.clock.onWait = nullptr;
        if (!shot)
            shots.shoot(nullptr, name);
    };
    play(QStringLiteral("g6_display_names.png"));
    if (!w)
        return;
    // Typing: three names in, the fourth under way.
    const QStringList dealt = w->dealtNames();
    for (int i = 1; i <= 3; ++i)
        w->txtKaitou(i)->setText(dealt.value(i - 1));
    w->txtKaitou(4)->setText(dealt.value(3).left(1));
    w->txtKaitou(4)->setFocus();
    shots.shoot(w, QStringLiteral("g6_answering.png"));

    // Six right, one mistyped, one left empty.
    w->txtKaitou(4)->setText(dealt.value(3));
    w->txtKaitou(5)->setText(dealt.value(4) + QStringLiteral(" "));
    for (int i = 6; i <= 7; ++i)
        w->txtKaitou(i)->setText(dealt.value(i - 1));
    w->cmdKekka_Click(); // auto-save is on: the play joins the history at once
    shots.shoot(w, QStringLiteral("g6_judged.png"));

    w->chkHint()->setChecked(false);
    w->chkHint_Click();
    play(QStringLiteral("g6_display_nonames.png"));
    delete w.data();
    for (const QString &file : std::as_const(written))
        QFile::remove(file);
}

// A key pressed in a widget, as the keyboard sends it.
void pressKey(QWidget *w, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

// 時間差記憶 on the shipped word list: opened, counting down, playing, given up.
void shootTimeLag(Shooter &shots, Context &c)
{
    c.drawValues({0.12, 0.47, 0.81, 0.33, 0.65, 0.05, 0.92});
    QPointer<TimeLagTypingWindow> w = static_cast<TimeLagTypingWindow *>(openGameWindow<TimeLagTypingWindow>(c.ctx));
    if (!w || w->closing()) {
        err() << "kioku_shots: the time-lag window did not open" << Qt::endl;
        return;
    }
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->resize(1000, 720);
    w->show();
    shots.shoot(w, QStringLiteral("g3_idle.png"));
    w->cmdStart_Click();
    w->tmrStart_Timer();
    shots.shoot(w, QStringLiteral("g3_countdown.png"));
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    for (int i = 0; i < 2 && w; ++i) {
        w->txtKaitou()->setText(w->dueWord());
        pressKey(w->txtKaitou(), Qt::Key_Return);
    }
    if (!w)
        return;
    w->txtKaitou()->setText(QStringLiteral("じてん"));
    shots.shoot(w, QStringLiteral("g3_playing.png"));
    pressKey(w->txtKaitou(), Qt::Key_Escape);
    shots.shoot(w, QStringLiteral("g3_finished.png"));
    delete w.data();
}

// 輪廻記憶 on the shipped word list: opened, counting down, two words into
// turn 4 of a counted play, given up there (auto-save on).
void shootCycle(Shooter &shots, Context &c)
{
    c.drawValues({0.31, 0.74, 0.12, 0.58, 0.93});
    QPointer<CycleTypingWindow> w = static_cast<CycleTypingWindow *>(openGameWindow<CycleTypingWindow>(c.ctx));
    if (!w || w->closing()) {
        err() << "kioku_shots: the cycle window did not open" << Qt::endl;
        return;
    }
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->resize(1000, 720);
    w->show();
    shots.shoot(w, QStringLiteral("g4_idle.png"));
    w->cmdStart_Click();
    w->tmrStart_Timer();
    shots.shoot(w, QStringLiteral("g4_countdown.png"));
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    // Turns 1 to 3 typed whole, then the first two words of turn 4.
    for (int i = 0; i < 1 + 2 + 3 + 2 && w; ++i) {
        c.clock.advanceMs(2400);
        w->txtKaitou()->setText(w->dueWord());
        pressKey(w->txtKaitou(), Qt::Key_Return);
    }
    if (!w)
        return;
    w->tmrPlay_Timer();
    w->txtKaitou()->setText(w->dueWord().left(2));
    shots.shoot(w, QStringLiteral("g4_playing.png"));
    pressKey(w->txtKaitou(), Qt::Key_Escape);
    shots.shoot(w, QStringLiteral("g4_finished.png"));
    delete w.data();
}

// バラバラ記憶 on the shipped word list: opened, counting down, a letter of
// the first pass on show, and a counted play of three answers finished.
void shootScrambled(Shooter &shots, Context &c)
{
    namespace sc = kioku::rules;
    // Two earlier plays in its history, as the sample play log has them.
    const auto saved = [](int day, const char *time, int right, int wrong, int typed, float seconds,
                          sc::PlayMode mode) {
        sc::TypingResult r;
        r.saved =
            QDateTime(QDate(2026, 12, day), QTime::fromString(QString::fromLatin1(time), QStringLiteral("HH:mm:ss")));
        r.right = right;
        r.wrong = wrong;
        r.typed = typed;
        r.seconds = seconds;
        return writeOk(
            appendHistory(sc::scrambledHistory(), sc::scrambledEntry(r, sc::scrambledSecondsText(mode, seconds))),
            sc::scrambledHistory().fileName);
    };
    if (!saved(2, "08:10:12", 8, 2, 10, 41.3f, sc::PlayMode::Counted)
        || !saved(6, "19:15:55", 7, 3, 37, 60, sc::PlayMode::Timed))
        return;

    c.drawValues({0.31, 0.62, 0.05, 0.77, 0.48, 0.19, 0.93, 0.36, 0.58, 0.11});
    QPointer<ScrambledTypingWindow> w =
        static_cast<ScrambledTypingWindow *>(openGameWindow<ScrambledTypingWindow>(c.ctx));
    if (!w || w->closing()) {
        err() << "kioku_shots: the scrambled window did not open" << Qt::endl;
        return;
    }
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->resize(1000, 720);
    w->show();
    // A counted play of three answers.
    w->optMode(0)->click();
    w->cboKaisu()->setCurrentIndex(w->cboKaisu()->findText(QStringLiteral("3")));
    w->cboKaisu_Click();
    shots.shoot(w, QStringLiteral("g7_idle.png"));
    // A view before the play grows the history over the board; a click on the panel puts it away.
    w->viewButton(QStringLiteral("cmdRitu"))->click();
    shots.shoot(w, QStringLiteral("g7_view_idle.png"));
    w->fraRireki_Click();
    w->cmdStart_Click();
    w->tmrStart_Timer();
    shots.shoot(w, QStringLiteral("g7_countdown.png"));
    w->tmrStart_Timer();

    // The first word: its third letter on show, half of it typed, then answered
    // right; the second given up; the third answered wrong, which ends the play.
    bool shot = false;
    c.clock.onWait = [&](double) {
        if (w)
            w->tmrPlay_Timer(); // the elapsed seconds, as the window's own timer shows them
        // Only while a word's letters are on show (not in the pause after an answer or a give-up).
        if (!w || w->playState() != GameFrame::PlayState::Answering || w->lblKanjiK()->text().isEmpty()
            || w->tileLetterColor(1) != ScrambledTypingWindow::kTileBack)
            return;
        const int word = w->rightCount() + w->wrongCount() + 1;
        if (word == 1 && (w->currentOrder().size() < 3 || w->lblKanjiK()->text() == w->currentOrder().at(2))) {
            if (!std::exchange(shot, true)) {
                w->txtKaitou()->setText(w->currentWord().left(2));
                shots.shoot(w, QStringLiteral("g7_display.png"));
                // A view pressed during the play leaves the board as it is.
                w->viewButton(QStringLiteral("cmdKaitou"))->click();
                shots.shoot(w, QStringLiteral("g7_view_playing.png"));
            }
            w->txtKaitou()->setText(w->currentWord());
            pressKey(w->txtKaitou(), Qt::Key_Return);
        } else if (word == 2) {
            pressKey(w->txtKaitou(), Qt::Key_Escape);
        } else if (word == 3) {
            w->txtKaitou()->setText(w->currentWord() + QStringLiteral("ん"));
            pressKey(w->txtKaitou(), Qt::Key_Return);
        }
    };
    w->tmrStart_Timer();
    c.clock.onWait = nullptr;
    if (!w)
        return;
    if (!shot) {
        shots.shoot(nullptr, QStringLiteral("g7_display.png"));
        shots.shoot(nullptr, QStringLiteral("g7_view_playing.png"));
    }
    shots.shoot(w, QStringLiteral("g7_finished.png"));
    delete w.data();
}

// 追跡記憶: opened, a trace of three panels lit, answering, ended by a wrong click.
void shootTracking(Shooter &shots, Context &c)
{
    QPointer<TrackingMemoryWindow> w = static_cast<TrackingMemoryWindow *>(openGameWindow<TrackingMemoryWindow>(c.ctx));
    if (!w || w->closing()) {
        err() << "kioku_shots: the tracking window did not open" << Qt::endl;
        return;
    }
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->resize(1000, 720);
    w->show();
    shots.shoot(w, QStringLiteral("g5_idle.png"));

    bool shot = false;
    c.clock.onWait = [&](double) {
        if (shot || !w || w->trace().length() < 3)
            return;
        for (int i = 1; i <= 9; ++i)
            if (w->panelColor(i) == TrackingMemoryWindow::kLit) {
                shot = true;
                shots.shoot(w, QStringLiteral("g5_trace.png"));
                return;
            }
    };
    w->cmdStart_Click();
    for (int i = 0; i < 3 && w; ++i)
        w->tmrStart_Timer();
    // Each turn answered right shows the longer trace.
    for (int turn = 0; turn < 4 && w && !shot; ++turn) {
        const QList<int> panels = w->trace().panels();
        for (int p : panels)
            if (w)
                w->cmdKey_Click(p);
    }
    c.clock.onWait = nullptr;
    if (!w)
        return;
    if (!shot)
        shots.shoot(nullptr, QStringLiteral("g5_trace.png"));
    if (w->answering() && !w->trace().panels().isEmpty())
        w->cmdKey_Click(w->trace().panels().first());
    shots.shoot(w, QStringLiteral("g5_answering.png"));
    const int due = w->trace().expectedAt(w->trace().rightInTurn() + 1);
    w->cmdKey_Click(due % 9 + 1); // not the panel due: the game ends
    shots.shoot(w, QStringLiteral("g5_finished.png"));
    delete w.data();
}

// アイコン衰弱 on the shipped flags: opened, a miss on show with the names and
// without them, every pair found.
void shootIconConcentration(Shooter &shots, Context &c)
{
    QPointer<IconConcentrationWindow> w =
        static_cast<IconConcentrationWindow *>(openGameWindow<IconConcentrationWindow>(c.ctx));
    if (!w || w->closing()) {
        err() << "kioku_shots: the icon-concentration window did not open" << Qt::endl;
        return;
    }
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->resize(1100, 700);
    w->show();
    shots.shoot(w, QStringLiteral("g2_idle.png"));
    w->cmdStart_Click();
    for (int i = 0; i < 3 && w; ++i)
        w->tmrStart_Timer();
    if (!w)
        return;

    // Two pieces of different icons: the miss stays on show during its delay.
    auto missOnShow = [&](const QString &file) {
        int a = 0, b = 0;
        for (int i = 1; i <= IconConcentrationWindow::kPieces && !b; ++i) {
            if (w->boardName(i).isEmpty())
                continue;
            if (!a)
                a = i;
            else if (w->boardName(i) != w->boardName(a))
                b = i;
        }
        if (!a || !b) {
            shots.shoot(nullptr, file);
            return;
        }
        bool shot = false;
        c.clock.onWait = [&](double) {
            if (!shot && w && w->delaying()) {
                shot = true;
                shots.shoot(w, file);
            }
        };
        w->cmdKoma_Click(a);
        w->cmdKoma_Click(b);
        c.clock.onWait = nullptr;
        if (!shot)
            shots.shoot(nullptr, file);
    };
    missOnShow(QStringLiteral("g2_playing.png"));
    if (!w)
        return;
    w->chkNamae()->setChecked(false);
    w->chkNamae_Click();
    missOnShow(QStringLiteral("g2_playing_nonames.png"));

    // Then every pair.
    for (const QString &name : w->iconNames()) {
        QList<int> at;
        for (int i = 1; i <= IconConcentrationWindow::kPieces; ++i)
            if (w && w->boardName(i) == name)
                at.append(i);
        for (int k = 0; k + 1 < at.size() && w; k += 2) {
            w->cmdKoma_Click(at.at(k));
            if (w)
                w->cmdKoma_Click(at.at(k + 1));
        }
    }
    if (!w)
        return;
    shots.shoot(w, QStringLiteral("g2_finished.png"));
    delete w.data();
}

// Every window of the program once, on a fresh data folder. Returns false
// when the data folder could not be set up.
bool shootEverything(Shooter &shots)
{
    // Every data file lives in the working folder: a fresh one for this pass.
    QTemporaryDir data;
    if (!data.isValid() || !QDir::setCurrent(data.path())) {
        err() << "kioku_shots: cannot set up a temporary data folder" << Qt::endl;
        return false;
    }
    const DataFolderResult prepared = prepareDataFolder();
    bool dataOk = prepared.failed.isEmpty();
    // The help tour stays off so no box waits for an answer.
    dataOk = writeOk(writeHelpTour(0), kSettingsFile) && dataOk;

    Context c;

    // The first start: nothing played yet.
    {
        auto w = loadMain(c);
        shots.shoot(w.get(), QStringLiteral("main_today_empty.png"));
    }

    dataOk = writeSampleData() && dataOk;
    if (!dataOk) {
        err() << "kioku_shots: the sample data folder could not be written" << Qt::endl;
        QDir::setCurrent(QDir::tempPath());
        return false;
    }

    shootMainWindow(shots, c);
    shootNumberMemory(shots, c);
    shootImageMemory(shots, c);
    shootTimeLag(shots, c);
    shootCycle(shots, c);
    shootScrambled(shots, c);
    shootTracking(shots, c);
    shootIconConcentration(shots, c);
    if (!shootTransferWindows(c.ctx, [&shots](QWidget *w, const QString &name) { shots.shoot(w, name); }))
        err() << "kioku_shots: the older folder for the import could not be set up" << Qt::endl;

    if (!c.services.messages.shown.isEmpty()) {
        for (const ShownMessage &m : std::as_const(c.services.messages.shown))
            err() << "kioku_shots: message box shown: " << m.title << ": " << m.text << Qt::endl;
    }

    // Leave the temporary folder so it can be removed.
    QDir::setCurrent(QDir::tempPath());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // No display is needed: the windows are drawn offscreen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quietOffscreenWarnings();
    QApplication app(argc, argv);
    setUpApplication();
    QApplication::setQuitOnLastWindowClosed(false);

    const QString usage =
        QStringLiteral("usage: kioku_shots [--light-only | --dark-only] [--text-size 1|1.25|1.5] <output folder>");
    bool light = true, dark = true;
    QStringList folders;
    const QStringList args = QApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--text-size") && i + 1 < args.size()) {
            // The player's text size (編集 → 文字の大きさ), as the program applies it at the start.
            bool ok = false;
            const double scale = args.at(++i).toDouble(&ok);
            if (!ok || scale < 1.0 || scale > 1.5) {
                err() << usage << Qt::endl;
                return 2;
            }
            setTextScale(scale);
        } else if (a == QLatin1String("--light-only"))
            dark = false;
        else if (a == QLatin1String("--dark-only"))
            light = false;
        else
            folders << a;
    }
    if (folders.size() != 1 || folders.first().isEmpty() || folders.first().startsWith(QLatin1Char('-'))
        || (!light && !dark)) {
        err() << usage << Qt::endl;
        return 2;
    }
    const QString outDir = QDir(folders.first()).absolutePath();
    if (!QDir().mkpath(outDir)) {
        err() << "kioku_shots: cannot create " << QDir::toNativeSeparators(outDir) << Qt::endl;
        return 1;
    }

    Shooter shots(outDir);
    // The desktop's own look, then the same windows as a dark desktop theme
    // (Fusion with Breeze Dark's colours) shows them, into dark_<name>.png.
    if (light && !shootEverything(shots))
        return 1;
    if (dark) {
        setDesktopLook(QStringLiteral("Fusion"), darkDesktopPalette());
        shots.setPrefix(QStringLiteral("dark_"));
        if (!shootEverything(shots))
            return 1;
    }

    out() << shots.written() << " screenshots written to " << QDir::toNativeSeparators(outDir) << Qt::endl;
    if (shots.failures() > 0) {
        err() << "kioku_shots: " << shots.failures() << " screenshot(s) failed" << Qt::endl;
        return 1;
    }
    return 0;
}
