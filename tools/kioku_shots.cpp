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
#include "shots/gameshots.h"
#include "shots/shooter.h"
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
using namespace kioku::shots;
namespace nm = kioku::rules;

namespace {

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
