#pragma once
// The bad forms of the files the program reads, for tst_badinput: the forms
// (missing, empty, cut inside a character, UTF-8, garbage, a long line, many
// lines, wrong types, a folder, unreadable, read-only), the files they are
// given to in groups, the bytes of each, the windows that read them and the
// messages a player is to be told.
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
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace badinput {

using namespace kioku;

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

} // namespace badinput
