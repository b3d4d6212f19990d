// Every file the program reads, in every bad form a user's disk can hand it:
// missing, empty, cut inside a double-byte character, saved in UTF-8 with and
// without a byte-order mark, garbage bytes, one line of 1 MB, 100,000 lines,
// values of the wrong type, a folder in its place, unreadable and read-only.
// The main window and the game windows that read the file open, the problem
// is told in Japanese, naming the file, once per start, and every file is
// left byte for byte as it was (but for the repairs the program tells of).
#include "badforms.h"

#include <QtTest>

using namespace kioku;
using namespace badinput;

Q_DECLARE_METATYPE(Form)

class tst_badInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void badInput_data();
    void badInput();
    void unprivileged_data();
    void unprivileged();
    void cutOffRecordAtStartUp();
    void cutOffRecordThatCannotBeMoved();
    void cleanupTestCase();

private:
    void addRows(const QList<Form> &forms);
    void run();
    QMap<QString, QByteArray> m_good;
    QString m_icon;
    QList<Group> m_groups;
    int m_cases = 0, m_messages = 0, m_changed = 0;
    QMap<QString, int> m_casesPerFile;
};

void tst_badInput::initTestCase()
{
    quietOffscreenWarnings();
    m_good = goodFolder();
    QVERIFY(m_good.contains(kPlayLogFile));
    // A flag icon among the first fifteen, which both picture games use.
    for (auto it = m_good.cbegin(); it != m_good.cend() && m_icon.isEmpty(); ++it)
        if (it.key().endsWith(QLatin1String(".ico")))
            m_icon = it.key();
    QVERIFY(!m_icon.isEmpty());
    m_groups = groups(m_icon);
}

void tst_badInput::cleanupTestCase()
{
    qInfo("%d cases of a file in a bad form, %d messages told, %d files changed unasked", m_cases, m_messages,
          m_changed);
    QStringList perFile;
    for (auto it = m_casesPerFile.cbegin(); it != m_casesPerFile.cend(); ++it)
        perFile.append(QStringLiteral("%1 %2").arg(it.key()).arg(it.value()));
    if (!perFile.isEmpty())
        qInfo().noquote() << QStringLiteral("cases per file:") << perFile.join(QStringLiteral(", "));
}

void tst_badInput::addRows(const QList<Form> &forms)
{
    QTest::addColumn<int>("group");
    QTest::addColumn<Form>("form");
    if (m_groups.isEmpty())
        m_groups = groups(QStringLiteral("?"));
    for (int g = 0; g < m_groups.size(); ++g)
        for (const auto &[form, name] : kForms)
            if (forms.contains(form))
                QTest::addRow("%s, %s", qPrintable(m_groups.at(g).name), name) << g << form;
}

void tst_badInput::badInput_data()
{
    addRows({Form::Missing, Form::Empty, Form::CutInCharacter, Form::Utf8WithMark, Form::Utf8, Form::Garbage,
             Form::LongLine, Form::ManyLines, Form::WrongTypes, Form::Folder, Form::ReadOnly});
}

void tst_badInput::badInput()
{
    run();
}

// Permissions stop only a process that is not root: the unreadable forms, and
// the read-only ones again, run as an unprivileged user (CTest runs them so
// through run_unprivileged.sh).
void tst_badInput::unprivileged_data()
{
    addRows({Form::Unreadable, Form::ReadOnly});
}

void tst_badInput::unprivileged()
{
    if (isRoot())
        QSKIP("permissions do not stop root: run as another user (tst_badinput_unprivileged)");
    run();
}

void tst_badInput::run()
{
    QFETCH(int, group);
    QFETCH(Form, form);
    const Group &g = m_groups.at(group);

    TempDataDir dir;
    for (auto it = m_good.cbegin(); it != m_good.cend(); ++it)
        QVERIFY(dir.write(it.key(), it.value()));
    QList<QStringList> expected;
    QList<Game> refusing;
    for (const Target &t : g.files) {
        switch (form) {
        case Form::Missing:
            QVERIFY(QFile::remove(t.file));
            break;
        case Form::Folder:
            QVERIFY(QFile::remove(t.file));
            QVERIFY(QDir::current().mkdir(t.file));
            break;
        case Form::Unreadable:
        case Form::ReadOnly:
            break; // below, once the bytes are known
        default:
            QVERIFY(dir.write(t.file, badBytes(t, m_good.value(t.file), form, qHash(t.file))));
            break;
        }
    }
    const QMap<QString, QByteArray> before = snapshot();
    for (const Target &t : g.files) {
        if (form == Form::Unreadable)
            QVERIFY(QFile::setPermissions(t.file, {}));
        else if (form == Form::ReadOnly)
            QVERIFY(QFile::setPermissions(t.file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        expected += expectedMessages(t, form, before.value(t.file), &refusing);
    }
    m_cases += int(g.files.size());
    for (const Target &t : g.files)
        ++m_casesPerFile[t.file];

    FakeServices s;
    // The main window reads none of a game's files: it opens on those of its own.
    const bool main = g.games.isEmpty();
    const Opened first = openWindows(s, main, g.games);
    // After every game the main window is built anew, and a game window at
    // each play: nothing is told twice in a run, but a game that cannot be
    // played says why each time.
    const Opened second = first.warnings.isEmpty() ? Opened() : openWindows(s, main, g.games);
    m_messages += int(first.warnings.size());

    const auto shown = [&] {
        return QStringList(first.warnings + QStringList{QStringLiteral("--")} + second.warnings)
            .join(QLatin1Char('|'))
            .replace(QLatin1String("\r\n"), QLatin1String(" / "));
    };
    // KIOKU_BADINPUT_SHOW=1 prints what was told, to read it over.
    if (qEnvironmentVariableIsSet("KIOKU_BADINPUT_SHOW") && !first.warnings.isEmpty())
        qInfo().noquote() << shown();
    for (const QString &w : first.warnings + second.warnings)
        QVERIFY2(isPlainJapanese(w), qPrintable(w));
    // Each expected message told once, and nothing else.
    QVERIFY2(first.warnings.size() == expected.size(), qPrintable(shown()));
    for (const QStringList &pieces : std::as_const(expected)) {
        const auto holds = [&](const QString &w) {
            return std::all_of(pieces.cbegin(), pieces.cend(), [&](const QString &p) { return w.contains(p); });
        };
        QVERIFY2(std::count_if(first.warnings.cbegin(), first.warnings.cend(), holds) == 1,
                 qPrintable(pieces.join(QLatin1Char('+')) + QStringLiteral(" in ") + shown()));
    }
    QCOMPARE(first.refused, refusing);
    if (!first.warnings.isEmpty())
        QCOMPARE(second.refused, refusing);
    for (const QString &w : second.warnings)
        QVERIFY2(refusing.size() > 0 && first.warnings.contains(w), qPrintable(shown()));

    // Byte for byte as they were, but for what the start-up repairs and tells:
    // a cut-off last line of the log moved out, a missing game setting written.
    for (const Target &t : g.files)
        if (form == Form::Unreadable || form == Form::ReadOnly)
            QVERIFY(QFile::setPermissions(t.file, QFile::ReadOwner | QFile::WriteOwner));
    QMap<QString, QByteArray> after = snapshot();
    QMap<QString, QByteArray> expectedAfter = before;
    for (const Target &t : g.files) {
        if (t.kind == Kind::PlayLog && form != Form::Folder && form != Form::Missing) {
            const QByteArray log = before.value(t.file);
            const QByteArray tail = cutOffTail(log);
            if (!tail.isEmpty()) {
                expectedAfter.insert(t.file, log.chopped(tail.size()));
                expectedAfter.insert(t.file + kFragmentSuffix, tail + "\r\n");
            }
        }
        if (t.kind == Kind::Settings && form == Form::Missing && after.contains(t.file) && !g.games.isEmpty()) {
            expectedAfter.insert(t.file, after.value(t.file));
            QVERIFY(after.value(t.file).endsWith("\r\n"));
        }
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (expectedAfter.value(it.key()) != it.value())
            ++m_changed;
    QCOMPARE(after.keys(), expectedAfter.keys());
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        QVERIFY2(it.value() == expectedAfter.value(it.key()), qPrintable(it.key()));
}

// A play whose line a crash cut off in the middle of a character: the start-up
// moves the line out and says so once; the edit screen lists the whole
// records only, and deleting one is not refused for the cut-off bytes.
void tst_badInput::cutOffRecordAtStartUp()
{
    MainFixture f;
    f.ctx.session.welcomeShown = true;
    const PlayRecord a = play("2026/12/05", "08:00:00", "数字記憶", 3, "暗記数 : 8");
    const PlayRecord b = play("2026/12/06", "10:00:00", "画像記憶", 12.25f, "速く");
    f.setLog({a, b});
    const QByteArray whole = f.logBytes();
    const QByteArray cut = sjis(play("2026/12/07", "08:00:00", "追跡記憶", 4, "正解").gameLine()).chopped(5);
    QVERIFY(f.dir.write(kPlayLogFile, whole + cut));

    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("データの修復"));
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Warning);
    QVERIFY(f.messages.shown[0].text.contains(QStringLiteral("「データ.txt.断片」にそのまま残してあります")));
    QCOMPARE(f.logBytes(), whole);
    QCOMPARE(f.dir.bytes(kPlayLogFile + kFragmentSuffix), cut + "\r\n");

    w->cmdSettei->click();
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    w->fraSettei->msgHenList->clickCell(1, 3);
    w->fraSettei->cmdRowDel->click(); // asks; OK
    QCOMPARE(f.logBytes(), sjisLines({b.rewriteLine()}));

    // Told once: the next start-up finds nothing to move.
    const qsizetype told = f.messages.shown.size();
    w = f.load();
    QCOMPARE(f.messages.shown.size(), told);
}

// When the line cannot be moved (a folder named like the fragment file), the
// user is told once per run, the line is still no record, and the log is not
// rewritten over it.
void tst_badInput::cutOffRecordThatCannotBeMoved()
{
    MainFixture f;
    f.ctx.session.welcomeShown = true;
    f.setLog({play("2026/12/05", "08:00:00", "数字記憶", 3), play("2026/12/06", "10:00:00", "画像記憶", 12)});
    const QByteArray log = f.logBytes() + "\"2026/12/07\",\"08:00:";
    QVERIFY(f.dir.write(kPlayLogFile, log));
    QVERIFY(QDir::current().mkdir(kPlayLogFile + kFragmentSuffix));

    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY2(f.messages.shown[0].text.contains(QStringLiteral("同じ名前のフォルダがあります")),
             qPrintable(f.messages.shown[0].text));
    w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);

    w->cmdSettei->click();
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    w->fraSettei->msgHenList->clickCell(1, 3);
    w->fraSettei->cmdRowDel->click(); // asks; OK; refused
    QCOMPARE(f.messages.shown.size(), 3);
    QVERIFY(isPlainJapanese(f.messages.shown.last().text));
    QVERIFY(f.messages.shown.last().text.contains(QStringLiteral("書き換えていません")));
    QCOMPARE(f.logBytes(), log);
}

QTEST_MAIN(tst_badInput)
#include "tst_badinput.moc"
