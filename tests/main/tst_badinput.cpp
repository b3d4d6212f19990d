// Every file the program reads, in every bad form a user's disk can hand it:
// missing, empty, cut inside a double-byte character, saved in UTF-8 with and
// without a byte-order mark, garbage bytes, one line of 1 MB, 100,000 lines,
// values of the wrong type, a folder in its place, unreadable and read-only.
// The main window and the game windows that read the file open, the problem
// is told in Japanese, naming the file, once per start, and every file is
// left byte for byte as it was (but for the repairs the program tells of).
#include "core/datafolder.h"
#include "core/game/catalogue.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/rules/dictionary.h"
#include "core/rules/iconconcentration.h"
#include "core/rules/icons.h"
#include "core/settings.h"
#include "core/text/sjis.h"
#include "games/frame/gameframe.h"
#include "games/registry.h"
#include "main/editpanel.h"
#include "main/mainwindow.h"
#include "mainfixture.h"
#include "testing/headless.h"
#include "testsupport.h"
#include "widgets/flexgrid.h"
#include "widgets/pictures.h"

#include <QDirIterator>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kioku;

namespace {

enum class Form {
    Missing,
    Empty,
    CutInCharacter,
    Utf8WithMark,
    Utf8,
    Garbage,
    LongLine,
    ManyLines,
    WrongTypes,
    Folder,
    Unreadable,
    ReadOnly,
};

const QList<std::pair<Form, const char *>> kForms = {
    {Form::Missing, "missing"},
    {Form::Empty, "empty"},
    {Form::CutInCharacter, "cut inside a character"},
    {Form::Utf8WithMark, "UTF-8 with a mark"},
    {Form::Utf8, "UTF-8"},
    {Form::Garbage, "garbage"},
    {Form::LongLine, "a 1 MB line"},
    {Form::ManyLines, "100,000 lines"},
    {Form::WrongTypes, "wrong types"},
    {Form::Folder, "a folder"},
    {Form::Unreadable, "unreadable"},
    {Form::ReadOnly, "read-only"},
};

// What reads a file, and how it tells of a problem with it.
enum class Kind {
    Settings, // 設定.txt, a game's settings: told when unreadable or holding no valid setting
    PlayLog,  // データ.txt
    Text,     // メモ.TXT, 氏名.txt: also told when not Shift-JIS
    History,  // a game's history: also told when not Shift-JIS
    Records,  // the records of icon concentration: also told when a line cannot be read
    Words,    // a word list: the game cannot be played without good words
    Icon,     // a flag icon
};

struct Target {
    QString file;
    Kind kind;
};

// Files broken together, and the windows that read them: the files of the
// main window, or those of one game (a game that cannot be played, without
// its words or its twenty icons, tells only that, so those files go alone).
struct Group {
    QString name;
    QList<Target> files;
    QList<Game> games;
};

QList<Group> groups(const QString &icon)
{
    QList<Group> g = {{QStringLiteral("main window"),
                       {{kSettingsFile, Kind::Settings},
                        {kPlayLogFile, Kind::PlayLog},
                        {kMemoFile, Kind::Text},
                        {kNameFile, Kind::Text}},
                       {}}};
    for (const GameInfo &game : gameCatalogue()) {
        Group one{
            game.windowName, {{game.settingsFile, Kind::Settings}, {game.historyFile, Kind::History}}, {game.game}};
        if (!game.recordsFile.isEmpty())
            one.files.append({game.recordsFile, Kind::Records});
        g.append(one);
    }
    g.append({QStringLiteral("frmG3 words"), {{rules::kTimeLagDictionaryFile, Kind::Words}}, {Game::TimeLag}});
    g.append({QStringLiteral("frmG4 words"), {{rules::kCycleDictionaryFile, Kind::Words}}, {Game::Cycle}});
    g.append({QStringLiteral("frmG7 words"), {{rules::kScrambledDictionaryFile, Kind::Words}}, {Game::Scrambled}});
    g.append({QStringLiteral("icon"), {{icon, Kind::Icon}}, {Game::ImageMemory, Game::IconConcentration}});
    return g;
}

// The data folder of a player of some years: everything a first start writes,
// a log, a name, a memo, the histories and records of every game.
QMap<QString, QByteArray> goodFolder()
{
    TempDataDir dir;
    prepareDataFolder();
    const QString comment = QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%");
    QStringList log;
    for (int i = 0; i < 6; ++i)
        log.append(play(QStringLiteral("2026/12/0%1").arg(1 + i), QStringLiteral("10:0%1:00").arg(i), itemNames().at(i),
                        30.5f + float(i), comment)
                       .gameLine());
    dir.write(kPlayLogFile, sjisLines(log));
    writeUserName(QStringLiteral("山田　花子"));
    dir.write(kMemoFile, sjisLines({QStringLiteral("毎朝やる"), QStringLiteral("①から⑩まで")}));
    for (const GameEntry &g : gameRegistry()) {
        const GameDescription d = g.describe();
        GameSettings(d.settings).write();
        for (int n = 0; n < 3; ++n) {
            HistoryEntry e;
            for (int i = 0; i < d.history.fieldCount(); ++i) {
                switch (d.history.fields.at(i)) {
                case FieldForm::Int:
                    e.setField(i + 1, QString::number(5 + n));
                    break;
                case FieldForm::Number:
                    e.setField(i + 1, QStringLiteral("12.5"));
                    break;
                default:
                    e.setField(i + 1, i == 0 ? QStringLiteral("2026/12/0%1").arg(n + 1) : QStringLiteral("記録"));
                    break;
                }
            }
            appendHistory(d.history, e);
        }
    }
    rules::IconRecords records;
    records.levels[0] = rules::LevelRecord{25, QStringLiteral("34.5")};
    rules::writeIconRecords(records);

    QMap<QString, QByteArray> files;
    for (const QString &name : dir.files())
        files.insert(name, dir.bytes(name));
    return files;
}

// The offset just past the lead byte of the last two-byte character, or -1.
qsizetype insideLastCharacter(const QByteArray &b)
{
    qsizetype inside = -1;
    for (qsizetype i = 0; i < b.size(); ++i) {
        const uchar c = uchar(b.at(i));
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            inside = i + 1;
            ++i;
        }
    }
    return inside < b.size() ? inside : -1;
}

QByteArray seededGarbage(quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray b(4096, Qt::Uninitialized);
    for (char &c : b)
        c = char(random.bounded(256));
    return b;
}

// `good` in the bad form (not for Missing, Folder, Unreadable and ReadOnly,
// which act on the file as it is).
QByteArray badBytes(const Target &t, const QByteArray &good, Form form, quint32 seed)
{
    const bool binary = t.kind == Kind::Icon;
    switch (form) {
    case Form::Empty:
        return QByteArray();
    case Form::CutInCharacter: {
        if (binary)
            return good.left(good.size() / 2);
        const qsizetype inside = insideLastCharacter(good);
        return inside > 0 ? good.left(inside) : good + "\"\x8B";
    }
    case Form::Utf8WithMark:
        return "\xEF\xBB\xBF" + (binary ? good : text::decodeCp932(good).toUtf8());
    case Form::Utf8:
        return binary ? "\xEF\xBB\xBF" + good.mid(3) : text::decodeCp932(good).toUtf8();
    case Form::Garbage:
        return seededGarbage(seed);
    case Form::LongLine:
        return "\"" + sjis(QStringLiteral("あ")).repeated(512 * 1024) + "\",1,2,3\r\n";
    case Form::ManyLines: {
        QByteArray first = good.left(good.indexOf('\n') + 1);
        if (first.trimmed().isEmpty() || binary)
            first = "\"x\",1\r\n";
        if (!first.endsWith('\n'))
            first += "\r\n";
        return first.repeated(100000);
    }
    case Form::WrongTypes:
        return sjisLines({QStringLiteral("12,\"数字\",abc,\"3.5\",,\"\" ,-,99999999999999999999999"),
                          QStringLiteral("\"ヘルプツアー\",\"はい\""), QStringLiteral("-1,-1,-1,-1,-1,-1,-1")});
    default:
        return good;
    }
}

// Everything under the data folder: relative path → bytes ("<folder>" for a folder).
QMap<QString, QByteArray> snapshot()
{
    QMap<QString, QByteArray> all;
    QDirIterator it(QDir::currentPath(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir root = QDir::current();
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QFile f(path);
        all.insert(root.relativeFilePath(path),
                   info.isDir()                      ? QByteArray("<folder>")
                       : f.open(QIODevice::ReadOnly) ? f.readAll()
                                                     : "<unreadable>");
    }
    return all;
}

struct Opened {
    QStringList warnings;
    QList<Game> refused; // game windows that would not open
};

// Opens the main window (when `main`) and the game windows of `games` as the
// program does, lets them show what they have to tell, and closes them.
Opened openWindows(FakeServices &s, bool main, const QList<Game> &games)
{
    const qsizetype before = s.messages.shown.size();
    Opened o;
    if (main) {
        auto w = std::make_unique<MainWindow>(s.ctx);
        w->Form_Load();
        QCoreApplication::processEvents();
    }
    for (const Game g : games) {
        QPointer<QWidget> w = openGame(g, s.ctx);
        if (!w) {
            o.warnings.append(QStringLiteral("no window"));
            continue;
        }
        const auto *frame = qobject_cast<const GameFrame *>(w.data());
        if (frame && frame->closing())
            o.refused.append(g);
        else
            w->show();
        QCoreApplication::processEvents(); // the problems of the opening are told once it is on screen
        delete w.data();
    }
    for (qsizetype i = before; i < s.messages.shown.size(); ++i)
        if (s.messages.shown.at(i).icon == MsgIcon::Warning)
            o.warnings.append(s.messages.shown.at(i).text);
    return o;
}

Game gameOfWords(const QString &file)
{
    for (const Game g : {Game::TimeLag, Game::Cycle, Game::Scrambled})
        if (rules::dictionaryFile(g) == file)
            return g;
    return Game::TimeLag;
}

bool decodesCleanly(const QByteArray &bytes)
{
    bool clean = true;
    text::decodeFileBytes(bytes, &clean);
    return clean;
}

// The bytes of a play log past its last line end when they are not a whole
// record: what the start-up moves out of the log.
QByteArray cutOffTail(const QByteArray &log)
{
    const QByteArray tail = log.mid(log.lastIndexOf('\n') + 1);
    QByteArrayView line(tail);
    if (line.endsWith('\r'))
        line.chop(1);
    if (tail.isEmpty() || line.trimmed().isEmpty() || isWholeRecordLine(line))
        return QByteArray();
    return tail;
}

// What must be told about `t` in `form`, its bytes now being `bytes`: one
// entry per message, the pieces that message holds. A game that cannot be
// played without the file refuses to open (added to `refuses`).
QList<QStringList> expectedMessages(const Target &t, Form form, const QByteArray &bytes, QList<Game> *refuses)
{
    const QString &f = t.file;
    const bool unreadable = form == Form::Folder || form == Form::Unreadable;
    const QString reason = form == Form::Folder ? QStringLiteral("同じ名前のフォルダがあります")
                                                : QStringLiteral("読み込みの権限がありません");
    const bool garbled = !unreadable && form != Form::Missing && !decodesCleanly(bytes);
    QList<QStringList> m;
    switch (t.kind) {
    case Kind::Settings: {
        if (unreadable)
            m.append({QStringLiteral("「%1」を読み込めませんでした。").arg(f), reason});
        // Something else than settings where they should be is told too, the
        // defaults used and the file kept: bytes that are not code page 932,
        // values of the wrong kind, a long text for a first value, a game's
        // Japanese value in UTF-8 read as code page 932. 設定.txt reads only
        // its number: a name it does not know there is no fault.
        const bool helpTour = f == kSettingsFile;
        const bool japanese = std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return c & 0x80; });
        if (garbled || form == Form::WrongTypes
            || (!helpTour && (form == Form::LongLine || (form == Form::Utf8 && japanese))))
            m.append(helpTour ? QStringList{QStringLiteral("「%1」の内容を読み取れませんでした。").arg(f)}
                              : QStringList{QStringLiteral("「%1」に読み取れない設定がありました。").arg(f),
                                            QStringLiteral("既定の値")});
        break;
    }
    case Kind::PlayLog: {
        if (unreadable)
            m.append({QStringLiteral("データ.txt を読み込めませんでした。"), reason});
        const QByteArray tail = unreadable || form == Form::Missing ? QByteArray() : cutOffTail(bytes);
        if (!tail.isEmpty())
            m.append({QStringLiteral("最後の行は書き込みの途中で切れていたため"), f + kFragmentSuffix});
        // A line of more than a megabyte is no record: told as damage (the
        // one damage told of the log), never read.
        if (form == Form::LongLine)
            m.append({QStringLiteral("%1 に、記録とは考えられない長い行（1 MB を超える行）が 1 行あります。").arg(f)});
        else if (!unreadable && form != Form::Missing && !decodesCleanly(bytes.chopped(tail.size())))
            m.append({QStringLiteral("%1 に Shift-JIS として読めない文字があります。").arg(f)});
        break;
    }
    case Kind::Text:
        if (unreadable)
            m.append({QStringLiteral("を読み込めませんでした。"), f, reason});
        if (garbled)
            m.append({QStringLiteral("%1 に Shift-JIS として読めない文字があります。").arg(f)});
        break;
    case Kind::History:
        if (unreadable)
            m.append({QStringLiteral("履歴ファイル「%1」を読み込めませんでした。").arg(f), reason});
        if (garbled)
            m.append({QStringLiteral("履歴ファイル「%1」に Shift-JIS として読めない文字があります。").arg(f)});
        break;
    case Kind::Records: {
        const QString problem = rules::readIconRecords().problem();
        if (!problem.isEmpty())
            m.append({problem.section(QStringLiteral("\r\n"), 0, 0)});
        if (unreadable)
            m.last().append(reason);
        break;
    }
    case Kind::Words:
        if (unreadable)
            m.append({QStringLiteral("単語辞書「%1」を読み込めませんでした。").arg(f), reason});
        else if (form == Form::Missing)
            m.append({QStringLiteral("単語辞書「%1」が見つかりません。").arg(f)});
        else if (form == Form::Empty)
            m.append({QStringLiteral("単語辞書「%1」に単語が登録されていません。").arg(f)});
        else if (form == Form::Utf8)
            m.append({QStringLiteral("単語辞書「%1」は UTF-8 で保存されているようです。").arg(f)});
        else if (garbled)
            m.append({QStringLiteral("単語辞書「%1」の").arg(f),
                      QStringLiteral("Shift-JIS として読めない文字があります。")});
        if (!m.isEmpty())
            refuses->append(gameOfWords(f));
        break;
    case Kind::Icon:
        if (form == Form::Missing || form == Form::Folder) {
            // A folder is no picture: nineteen icons, and the pairs game needs twenty.
            m.append({QStringLiteral("アイコンが 1個 足りません")});
            refuses->append(Game::IconConcentration);
        } else if (pictures::iconFilePicture(f, 32).isNull()) {
            m.append({QStringLiteral("次のアイコンを画像として読み込めませんでした："), f});
            m.append({QStringLiteral("次のアイコンは画像として読み込めないため"), f});
        }
        break;
    }
    return m;
}

bool isRoot()
{
    return ::geteuid() == 0;
}

} // namespace

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
