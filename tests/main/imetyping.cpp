// Japanese typed as a player types it: a real input method (fcitx5 or ibus, each
// with Mozc) turns real X key events (xdotool) into kana and kanji, and the
// windows must take only what the player meant. In 時間差記憶 Enter confirms a
// conversion before it answers, ESC undoes a conversion before it gives up; the
// user name of 編集 is stored in kanji. Runs under
// support/run_with_input_method.sh, which starts the input method in a session
// of its own as an unprivileged user (Mozc refuses root).
#include "core/rules/timelag.h"
#include "games/typing/timelagtypingwindow.h"
#include "mainfixture.h"
#include "testing/controls.h"
#include "widgets/answerbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

using namespace kioku;

namespace {

// Generous: the first conversion starts Mozc's server, on a loaded machine.
constexpr int kWaitMs = 20000;

// Runs `program` with `args`, letting this program's events run meanwhile (the
// input method talks to it while the keys go through); its error output when
// it failed, else "".
QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(kWaitMs))
        return program + QStringLiteral(" did not start");
    // An event loop of our own answers the input method at once meanwhile.
    if (p.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return program + QStringLiteral(" did not finish");
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return program + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAllStandardError());
    return QString();
}

// Real key events through the X server, to the window that has the focus.
QString keys(const QStringList &names)
{
    return run(QStringLiteral("xdotool"),
               QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + names);
}
QString type(const QString &romaji)
{
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), romaji});
}

// What the input method last showed in a text box as uncommitted text.
class PreeditWatch : public QObject {
public:
    explicit PreeditWatch(QWidget *box) { box->installEventFilter(this); }
    QString preedit;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::InputMethod)
            preedit = static_cast<QInputMethodEvent *>(e)->preeditString();
        return false;
    }
};

// The state fcitx5 tells of the focused box: 2 when an input method such as
// Mozc is on, 1 when the plain keyboard is.
int fcitxState()
{
    QProcess p;
    p.start(QStringLiteral("fcitx5-remote"), QStringList());
    if (!p.waitForFinished(10000))
        return 0;
    return p.readAll().trimmed().toInt();
}

// Switches the input method on for the box that has the focus, as a player
// does: fcitx5 starts with the plain keyboard and takes Ctrl+Space (sent again
// until fcitx5 has seen the box take the focus); ibus was started with Mozc on.
QString switchOn()
{
    if (qEnvironmentVariable("KIOKU_INPUT_METHOD") != QLatin1String("fcitx5"))
        return QString();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < kWaitMs) {
        if (const QString error = keys({QStringLiteral("ctrl+space")}); !error.isEmpty())
            return error;
        if (QTest::qWaitFor([] { return fcitxState() == 2; }, 2000))
            return QString();
    }
    return QStringLiteral("fcitx5 did not switch Mozc on");
}

// What the input method and the box hold, for a failure's message.
QString inputState(const QLineEdit *box)
{
    QString state = QStringLiteral("box text \"%1\"").arg(box->text());
    if (qEnvironmentVariable("KIOKU_INPUT_METHOD") == QLatin1String("fcitx5")) {
        for (const QString &arg : {QString(), QStringLiteral("-n")}) {
            QProcess p;
            p.start(QStringLiteral("fcitx5-remote"), arg.isEmpty() ? QStringList() : QStringList{arg});
            p.waitForFinished(10000);
            state += QStringLiteral("; fcitx5-remote %1: %2").arg(arg, QString::fromLocal8Bit(p.readAll()).trimmed());
        }
    }
    return state;
}

// The window shown and given the X input focus, `box` focused in it.
bool focusBox(QWidget *window, QWidget *box)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window, kWaitMs))
        return false;
    box->setFocus();
    return QTest::qWaitFor([box] { return box->hasFocus(); }, kWaitMs);
}

} // namespace

class TstImeTyping : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void timeLagTakesOnlyWhatWasConfirmed();
    void theUserNameIsStoredInKanji();
};

void TstImeTyping::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY2(!qEnvironmentVariable("QT_IM_MODULE").isEmpty(), "run under support/run_with_input_method.sh");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is missing");
    qInfo("input method: %s with Mozc (QT_IM_MODULE=%s)", qPrintable(qEnvironmentVariable("KIOKU_INPUT_METHOD")),
          qPrintable(qEnvironmentVariable("QT_IM_MODULE")));
}

// A counted play of five answers on a list of one word, 日本 (typed "nihon",
// converted with Space). The steps run in turn on the same play.
void TstImeTyping::timeLagTakesOnlyWhatWasConfirmed()
{
    const QString word = QStringLiteral("日本");
    MainFixture f;
    f.dir.write(rules::kTimeLagDictionaryFile, sjisLines({word}));
    f.dir.write(gameInfo(Game::TimeLag).settingsFile, sjis(QStringLiteral("5,60,\"1回\",\"答数\",0\r\n")));
    f.ctx.session.playMode = 0;
    auto *w = new TimeLagTypingWindow(f.ctx);
    std::unique_ptr<QWidget> guard(w);
    w->tmrStart()->stop();
    w->tmrBp()->stop();
    w->Form_Load();
    QVERIFY(!w->closing());
    AnswerBox *box = control<AnswerBox>(w, QStringLiteral("txtKaitou"));
    PreeditWatch watch(box);
    QVERIFY(focusBox(w, box));

    QTest::mouseClick(control<QAbstractButton>(w, QStringLiteral("cmdStart")), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    QTRY_VERIFY_WITH_TIMEOUT(box->hasFocus() && w->busy(), kWaitMs);
    QString error = switchOn();
    QVERIFY2(error.isEmpty(), qPrintable(error));

    struct Step {
        const char *what;
        QString romaji;   // typed first, when not empty
        QStringList keys; // then these keys
        QString preedit;  // the uncommitted text shown after them
        QString text;     // the box's own text after them
        int right, wrong; // the answers judged so far
        bool playing;     // the play still runs
    };
    // The last n waits for what follows (ん or な…) until Space converts; ESC
    // on the conversion brings back what was typed.
    const QString typed = QStringLiteral("にほｎ");
    const QList<Step> steps{
        {"romaji become kana", QStringLiteral("nihon"), {}, typed, QString(), 0, 0, true},
        {"Space converts", QString(), {QStringLiteral("space")}, word, QString(), 0, 0, true},
        {"Enter confirms the conversion, answers nothing",
         QString(),
         {QStringLiteral("Return")},
         QString(),
         word,
         0,
         0,
         true},
        {"Enter answers with the converted word",
         QString(),
         {QStringLiteral("Return")},
         QString(),
         QString(),
         1,
         0,
         true},
        {"a second conversion", QStringLiteral("nihon"), {QStringLiteral("space")}, word, QString(), 1, 0, true},
        {"ESC undoes the conversion, gives nothing up",
         QString(),
         {QStringLiteral("Escape")},
         typed,
         QString(),
         1,
         0,
         true},
        {"ESC drops the kana, gives nothing up",
         QString(),
         {QStringLiteral("Escape")},
         QString(),
         QString(),
         1,
         0,
         true},
        {"ESC with nothing to convert gives up",
         QString(),
         {QStringLiteral("Escape")},
         QString(),
         QString(),
         1,
         1,
         false},
    };
    for (const Step &s : steps) {
        qInfo("step: %s", s.what);
        if (!s.romaji.isEmpty()) {
            error = type(s.romaji);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            // Each key reaches the box before the next step's keys are sent.
            QTRY_VERIFY2_WITH_TIMEOUT(!watch.preedit.isEmpty(), qPrintable(inputState(box)), kWaitMs);
        }
        if (!s.keys.isEmpty()) {
            error = keys(s.keys);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
        QTRY_COMPARE_WITH_TIMEOUT(watch.preedit, s.preedit, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(w->rightCount(), s.right, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(w->wrongCount(), s.wrong, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(w->busy(), s.playing, kWaitMs);
        if (s.playing)
            QTRY_COMPARE_WITH_TIMEOUT(box->text(), s.text, kWaitMs);
    }
    // The right answer counted the converted word's characters, and the
    // given-up play shows the word that was due.
    QCOMPARE(w->typedCharacters(), int(word.size()));
    QCOMPARE(control<QLabel>(w, QStringLiteral("lblMondai"))->text(), word);
}

// 山田 typed in the name box of 編集 and saved: 氏名.txt holds it in code page 932.
void TstImeTyping::theUserNameIsStoredInKanji()
{
    MainFixture f;
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(control<QAbstractButton>(w, QStringLiteral("cmdSettei")), Qt::LeftButton);
    auto *name = control<QLineEdit>(w, QStringLiteral("txtPriData"));
    PreeditWatch watch(name);
    QVERIFY(focusBox(w.get(), name));
    QString error = switchOn();
    QVERIFY2(error.isEmpty(), qPrintable(error));

    error = type(QStringLiteral("yamada"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(watch.preedit, QStringLiteral("やまだ"), kWaitMs);
    error = keys({QStringLiteral("space")});
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(watch.preedit, QStringLiteral("山田"), kWaitMs);
    error = keys({QStringLiteral("Return")});
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTRY_COMPARE_WITH_TIMEOUT(name->text(), QStringLiteral("山田"), kWaitMs);

    QTest::mouseClick(control<QAbstractButton>(w, QStringLiteral("cmdPHozon1")), Qt::LeftButton);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), QByteArray("\"\x8e\x81\x96\xbc\",\"\x8e\x52\x93\x63\"\r\n"));
}

QTEST_MAIN(TstImeTyping)
#include "imetyping.moc"
