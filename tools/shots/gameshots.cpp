#include "gameshots.h"

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
#include "shooter.h"
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

namespace nm = kioku::rules;

namespace kioku::shots {

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

} // namespace kioku::shots
