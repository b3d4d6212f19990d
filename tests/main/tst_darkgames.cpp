// The game windows under the desktop's default palette and under a dark one
// (Fusion with the colours KDE's Breeze Dark hands to Qt), drawn as a
// high-density screen shows them (twice the scale): every surface a game
// colours is found in the rendered pixels of its window in its judged or
// finished state, and its text reads on it (contrast at least 4.5:1).
#include "../games/gamefixture.h"
#include "mainfixture.h"
#include "surfacecheck.h"

#include "core/datafolder.h"
#include "main/appsetup.h"
#include "testing/controls.h"
#include "testing/darkpalette.h"
#include "widgets/answerbox.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QtTest>

#include <functional>
#include <memory>

using namespace kioku;

class tst_darkGames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void gameSurfacesRead_data();
    void gameSurfacesRead();

private:
    void usePalette(bool dark) { m_surfaces.usePalette(dark); }
    void check(QWidget *window, const QString &where) { m_surfaces.check(window, where); }
    void expectChecked(const QStringList &names) { m_surfaces.expectChecked(names); }

    SurfaceFindings m_surfaces;
};

void tst_darkGames::initTestCase()
{
    setUpApplication();
    QCOMPARE(qApp->devicePixelRatio(), qreal(kScale));
    m_surfaces.useDefaultLook();
}

void tst_darkGames::cleanup()
{
    m_surfaces.reset();
}

// ---------------------------------------------------------------- the helper

void tst_darkGames::gameSurfacesRead_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("game");
    QTest::addColumn<QStringList>("surfaces");
    const QList<QPair<int, QStringList>> games = {
        {1, {"txtKaitou1", "txtKaitou3", "lblMondai1", "cmdAllDsp", "cmdKaitou", "mcrRireki2"}},
        {2, {"lblKoma1", "lblSaitan", "cmdAllDsp"}},
        {3, {"cmdAllDsp", "mcrRireki2"}},
        {4, {"cmdAllDsp", "mcrRireki2"}},
        {5, {"lblHint", "msgInp", "cmdAllDsp"}},
        {6, {"txtKaitou1", "txtKaitou7", "lblKoma1", "cmdAllDsp"}},
        {7, {"lblKanjiP1", "lblKanjiK", "cmdAllDsp"}},
    };
    for (bool dark : {false, true})
        for (const auto &g : games)
            QTest::addRow("%s frmG%d", dark ? "dark" : "default", g.first) << dark << g.first << g.second;
}

void tst_darkGames::gameSurfacesRead()
{
    QFETCH(bool, dark);
    QFETCH(int, game);
    QFETCH(QStringList, surfaces);
    usePalette(dark);
    GameFixture f;
    // The files a first start writes: word lists, flag icons, default settings.
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.ctx.session.playMode = 0;
    const QString where = QStringLiteral("frmG%1").arg(game);

    switch (game) {
    case 1: {
        // Eight digits, six typed right and two wrong, judged and saved.
        f.drawValues({0.13, 0.25, 0.91, 0.33, 0.77, 0.05, 0.64, 0.48});
        auto *w = f.open<NumberMemoryWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        const QStringList typed{"1", "2", "3", "2", "6", "0", "7", "4"};
        for (int i = 0; i < typed.size(); ++i)
            w->txtKaitou(i + 1)->setText(typed.at(i));
        w->cmdKekka_Click();
        w->cmdHozon_Click();
        w->cmdKaitou_Click();
        check(w, where + QStringLiteral(" judged"));
        break;
    }
    case 2: {
        auto *w = f.open<IconConcentrationWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        // A miss on show, its names under the pieces; then every pair, and saved.
        int a = 0, b = 0;
        for (int i = 1; i <= IconConcentrationWindow::kPieces && !b; ++i) {
            if (!a)
                a = i;
            else if (w->boardName(i) != w->boardName(a))
                b = i;
        }
        bool looked = false;
        f.clock.onWait = [&](double) {
            if (!looked && w->delaying()) {
                looked = true;
                check(w, where + QStringLiteral(" miss on show"));
            }
        };
        w->cmdKoma_Click(a);
        w->cmdKoma_Click(b);
        f.clock.onWait = nullptr;
        QVERIFY(looked);
        for (const QString &name : w->iconNames()) {
            QList<int> at;
            for (int i = 1; i <= IconConcentrationWindow::kPieces; ++i)
                if (w->boardName(i) == name)
                    at.append(i);
            for (int k = 0; k + 1 < at.size(); k += 2) {
                w->cmdKoma_Click(at.at(k));
                w->cmdKoma_Click(at.at(k + 1));
            }
        }
        check(w, where + QStringLiteral(" finished"));
        break;
    }
    case 3:
    case 4: {
        // Two words answered, then given up (ESC): the play ends and is saved.
        GameFrame *frame = nullptr;
        QLineEdit *answer = nullptr;
        std::function<QString()> due;
        if (game == 3) {
            auto *w = f.open<TimeLagTypingWindow>();
            frame = w;
            answer = w->txtKaitou();
            due = [w] { return w->dueWord(); };
        } else {
            auto *w = f.open<CycleTypingWindow>();
            frame = w;
            answer = w->txtKaitou();
            due = [w] { return w->dueWord(); };
        }
        QPointer<GameFrame> guard(frame);
        frame->show();
        frame->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            frame->tmrStart_Timer();
        for (int i = 0; i < 2 && guard; ++i) {
            answer->setText(due());
            QTest::keyClick(answer, Qt::Key_Return);
        }
        QVERIFY(guard);
        QTest::keyClick(answer, Qt::Key_Escape);
        QVERIFY(guard);
        frame->cmdHozon_Click();
        check(frame, where + QStringLiteral(" finished"));
        break;
    }
    case 5: {
        // Three turns answered right, then a wrong click ends the game.
        auto *w = f.open<TrackingMemoryWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        for (int turn = 0; turn < 3; ++turn)
            for (int p : w->trace().panels())
                w->cmdKey_Click(p);
        QVERIFY(w->answering());
        check(w, where + QStringLiteral(" answering"));
        const int due = w->trace().expectedAt(w->trace().rightInTurn() + 1);
        w->cmdKey_Click(due % 9 + 1);
        QVERIFY(!w->answering());
        check(w, where + QStringLiteral(" finished"));
        break;
    }
    case 6: {
        // Eight pictures with their names; six typed right, one wrong, one empty.
        GameSettings s = GameSettings::read(rules::imageMemorySettings());
        s.setInt(rules::ImageMemorySetting::IconCount, 8);
        s.setInt(rules::ImageMemorySetting::NameDisplay, 1);
        QVERIFY(s.write().ok);
        f.drawValues({0.41, 0.07, 0.93, 0.22, 0.68, 0.35, 0.81, 0.14, 0.57, 0.02, 0.76, 0.49, 0.28, 0.9, 0.63, 0.3});
        auto *w = f.open<ImageMemoryWindow>();
        w->show();
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        const QStringList dealt = w->dealtNames();
        QVERIFY(dealt.size() >= 8);
        for (int i = 1; i <= 6; ++i)
            w->txtKaitou(i)->setText(dealt.at(i - 1));
        w->txtKaitou(7)->setText(dealt.at(6) + QStringLiteral("ん"));
        w->cmdKekka_Click();
        w->cmdHozon_Click();
        check(w, where + QStringLiteral(" judged"));
        break;
    }
    case 7: {
        // A counted play of two answers: the first word given up while its
        // letters are on show (the tiles turn red), the second answered wrong.
        auto *w = f.open<ScrambledTypingWindow>();
        QPointer<ScrambledTypingWindow> guard(w);
        w->show();
        w->optMode(0)->click();
        pick(w->cboKaisu(), QStringLiteral("2"));
        w->cboKaisu_Click();
        w->cmdStart_Click();
        w->tmrStart_Timer();
        w->tmrStart_Timer();
        bool gaveUp = false, lookedAtRed = false;
        f.clock.onWait = [&](double) {
            if (!guard || w->playState() != GameFrame::PlayState::Answering)
                return;
            const int word = w->rightCount() + w->wrongCount() + 1;
            if (word == 1 && !gaveUp && !w->lblKanjiK()->text().isEmpty()) {
                // A letter on show, the tiles still hiding theirs.
                check(w, where + QStringLiteral(" letter on show"));
                gaveUp = true;
                QTest::keyClick(w->txtKaitou(), Qt::Key_Escape);
            } else if (gaveUp && !lookedAtRed && w->tileLetterColor(1) == ScrambledTypingWindow::kGiveUpRed) {
                lookedAtRed = true;
                check(w, where + QStringLiteral(" given up"));
            } else if (word == 2 && !w->lblKanjiK()->text().isEmpty()) {
                w->txtKaitou()->setText(w->currentWord() + QStringLiteral("ん"));
                QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
            }
        };
        w->tmrStart_Timer();
        f.clock.onWait = nullptr;
        QVERIFY(guard);
        QVERIFY(lookedAtRed);
        w->cmdHozon_Click();
        check(w, where + QStringLiteral(" finished"));
        break;
    }
    default:
        QFAIL("no such game");
    }
    expectChecked(surfaces);
    QVERIFY2(f.messages.shown.isEmpty(), qPrintable(f.messages.shown.value(0).text));
}

// The windows are drawn as a high-density screen shows them: twice the scale.
int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kScale));
    QApplication app(argc, argv);
    tst_darkGames t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_darkgames.moc"
