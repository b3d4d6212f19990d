// The word lists of the typing games: reading a list file, what a bad file
// reports, the random choice, the captions, the cycle game's refill, and the
// three lists the program ships.
#include "core/datafolder.h"
#include "core/rules/dictionary.h"
#include "core/text/sjis.h"
#include "testing/seededrandom.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

namespace {

// Counts the reseeds: a draw must reseed first.
class CountingRandom : public SeededRandom {
public:
    using SeededRandom::SeededRandom;
    void reseed() override { ++reseeds; }
    int reseeds = 0;
};

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

} // namespace

class tst_Dictionary : public QObject {
    Q_OBJECT
private slots:
    void wordsAreTheFieldsOfTheFile_data();
    void wordsAreTheFieldsOfTheFile();
    void badFilesAreReportedByName_data();
    void badFilesAreReportedByName();
    void scrambledListLeavesOutLongWords_data();
    void scrambledListLeavesOutLongWords();
    void wordsPastTheCounterLimitAreLeftOut();
    void drawsTakeSlotOneToN_data();
    void drawsTakeSlotOneToN();
    void singleWordListAlwaysGivesThatWord();
    void cycleRefillKeepsTheOpeningSize_data();
    void cycleRefillKeepsTheOpeningSize();
    void shippedListsAreUsable_data();
    void shippedListsAreUsable();
    void shippedTypingListsDiffer();
};

// ---------------------------------------------------------------- reading

void tst_Dictionary::wordsAreTheFieldsOfTheFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("one word per line") << sjis("かぼちゃ\r\nりんご\r\n") << QStringList{"かぼちゃ", "りんご"};
    QTest::newRow("two words on one line") << sjis("かぼちゃ,りんご\r\n") << QStringList{"かぼちゃ", "りんご"};
    QTest::newRow("quoted: one word with its comma")
        << sjis("\"インター,ネット\"\r\n") << QStringList{"インター,ネット"};
    QTest::newRow("unquoted: two words") << sjis("インター,ネット\r\n") << QStringList{"インター", "ネット"};
    QTest::newRow("blanks around a word dropped")
        << sjis("  りんご  \r\n\tみかん\t,  ぶどう\r\n") << QStringList{"りんご", "みかん", "ぶどう"};
    // Blanks nobody can see cannot be typed: full-width ones go as half-width
    // ones do, from quoted words too; a blank inside a word stays.
    QTest::newRow("full-width blanks around a word dropped")
        << sjis("　みかん　\r\n　 りんご \t　,\"　ぶどう　\"\r\n\" もも \"\r\n")
        << QStringList{"みかん", "りんご", "ぶどう", "もも"};
    QTest::newRow("a blank inside a word kept")
        << sjis("　ホット　ドッグ　\r\nアイス クリーム\r\n") << QStringList{"ホット　ドッグ", "アイス クリーム"};
    QTest::newRow("blank lines and empty fields give no word")
        << sjis("\r\nかぼちゃ\r\n   \r\n,,\r\nりんご,\r\n\"\"\r\n　\r\n\r\n") << QStringList{"かぼちゃ", "りんご"};
    // The text layer reads a file with a UTF-8 mark as UTF-8, as every file of the program.
    QTest::newRow("UTF-8 with its mark") << kUtf8Mark + QString("りんご\r\nみかん\r\n").toUtf8()
                                         << QStringList{"りんご", "みかん"};
}

void tst_Dictionary::wordsAreTheFieldsOfTheFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, words);
    TempDataDir dir;
    // Stored under another letter case than the program's name for it.
    QVERIFY(dir.write("時間差辞書.TXT", bytes));
    const DictionaryLoad r = loadDictionary(kTimeLagDictionaryFile);
    QVERIFY2(r.ok(), qPrintable(r.message));
    QVERIFY(r.message.isEmpty());
    QCOMPARE(r.dictionary.words(), words);
    QCOMPARE(r.dictionary.size(), words.size());
    // Slot k is the k-th word; there is no slot 0 and none past N.
    QCOMPARE(r.dictionary.word(1), words.first());
    QCOMPARE(r.dictionary.word(words.size()), words.last());
    QCOMPARE(r.dictionary.word(0), QString());
    QCOMPARE(r.dictionary.word(words.size() + 1), QString());
}

void tst_Dictionary::badFilesAreReportedByName_data()
{
    QTest::addColumn<QString>("setUp"); // "missing", "folder" or "file"
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("saying");
    const int missing = int(DictionaryProblem::Missing), unreadable = int(DictionaryProblem::Unreadable),
              notSjis = int(DictionaryProblem::NotShiftJis), noWords = int(DictionaryProblem::NoWords);
    QTest::newRow("missing") << "missing" << QByteArray() << 0 << missing << "見つかりません";
    QTest::newRow("a folder of that name") << "folder" << QByteArray() << 0 << unreadable << "読み込めません";
    QTest::newRow("empty") << "file" << QByteArray() << 0 << noWords << "登録されていません";
    QTest::newRow("only blank lines") << "file" << QByteArray("\r\n  \r\n\t\r\n,\r\n") << 0 << noWords
                                      << "登録されていません";
    QTest::newRow("bytes that are not code page 932")
        << "file" << sjis("りんご\r\n") + QByteArray("\x82\xFF\xFD\r\n") << 0 << notSjis << "2 行目";
    QTest::newRow("UTF-8 without a mark")
        << "file" << QString("かぼちゃ\r\nりんご\r\n").toUtf8() << 0 << notSjis << "UTF-8";
    // These bytes are valid code page 932 as well, and would give nonsense words.
    QTest::newRow("UTF-8 without a mark, read as code page 932 without a fault")
        << "file" << QString("みかん\r\n図書館\r\n").toUtf8() << 0 << notSjis << "UTF-8";
    QTest::newRow("UTF-8 with a mark, broken")
        << "file" << kUtf8Mark + QByteArray("a\r\n\xE3\x81\r\n") << 0 << notSjis << "2 行目";
    QTest::newRow("no word short enough for the tiles")
        << "file" << sjis("あいうえおかきくけこ\r\n") << kScrambledMaxLength << noWords << "9 文字以内";
}

void tst_Dictionary::badFilesAreReportedByName()
{
    QFETCH(QString, setUp);
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxLength);
    QFETCH(int, problem);
    QFETCH(QString, saying);
    TempDataDir dir;
    if (setUp == "folder")
        QVERIFY(QDir().mkdir(kCycleDictionaryFile));
    else if (setUp == "file")
        QVERIFY(dir.write(kCycleDictionaryFile, bytes));
    const DictionaryLoad r = loadDictionary(kCycleDictionaryFile, maxLength);
    QCOMPARE(int(r.problem), problem);
    QVERIFY(!r.ok());
    QVERIFY(r.dictionary.isEmpty());
    QVERIFY2(r.message.contains("「輪廻辞書.txt」"), qPrintable(r.message));
    QVERIFY2(r.message.contains(saying), qPrintable(r.message));
}

void tst_Dictionary::scrambledListLeavesOutLongWords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("skipped");
    const QByteArray list = sjisLines({"ひまわり", "チョコレート", "あいうえおかきくけ", "あいうえおかきくけこ"});
    QTest::newRow("ten characters left out, nine kept")
        << list << kScrambledMaxLength << QStringList{"ひまわり", "チョコレート", "あいうえおかきくけ"} << 1;
    QTest::newRow("no limit for the typing lists")
        << list << 0 << QStringList{"ひまわり", "チョコレート", "あいうえおかきくけ", "あいうえおかきくけこ"} << 0;
    QTest::newRow("full-width blanks around a word not counted")
        << sjisLines({"　あいうえおかきくけ　", "　あいうえおかきくけこ"}) << kScrambledMaxLength
        << QStringList{"あいうえおかきくけ"} << 1;
    // Counted in characters: a character outside the basic plane is one, not two.
    QTest::newRow("a surrogate pair is one character")
        << kUtf8Mark + QString("𠮷あいうえおかきく\r\n𠮷あいうえおかきくけ\r\n").toUtf8() << kScrambledMaxLength
        << QStringList{"𠮷あいうえおかきく"} << 1;
}

void tst_Dictionary::scrambledListLeavesOutLongWords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxLength);
    QFETCH(QStringList, words);
    QFETCH(int, skipped);
    TempDataDir dir;
    QVERIFY(dir.write(kScrambledDictionaryFile, bytes));
    const DictionaryLoad r = loadDictionary(kScrambledDictionaryFile, maxLength);
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(r.dictionary.words(), words);
    QCOMPARE(r.skippedLong, skipped);
    if (skipped > 0) {
        const QString note = skippedWordsMessage(kScrambledDictionaryFile, r.skippedLong, maxLength);
        QVERIFY2(note.contains("「バラバラ記憶辞書.TXT」") && note.contains(" 1 個") && note.contains("9 文字"),
                 qPrintable(note));
    }
}

void tst_Dictionary::wordsPastTheCounterLimitAreLeftOut()
{
    QStringList lines;
    for (int i = 1; i <= kMaxDictionaryWords + 2; ++i)
        lines.append(QString::number(i));
    TempDataDir dir;
    QVERIFY(dir.write(kTimeLagDictionaryFile, sjisLines(lines)));
    const DictionaryLoad r = loadDictionary(kTimeLagDictionaryFile);
    QVERIFY(r.ok());
    QCOMPARE(r.dictionary.size(), 32767);
    QCOMPARE(r.dictionary.word(32767), QString("32767"));
    QCOMPARE(r.overLimit, 2);
}

// ---------------------------------------------------------------- drawing

void tst_Dictionary::drawsTakeSlotOneToN_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("N = 3") << 3 << QList<double>{0.0, 0.33, 0.34, 0.66, 0.67, 0.999999} << QList<int>{1, 1, 2, 2, 3, 3};
    QTest::newRow("N = 10, on the borders")
        << 10 << QList<double>{0.0, 0.1, 0.0999, 0.5, 0.9, 0.9999999} << QList<int>{1, 2, 1, 6, 10, 10};
    QTest::newRow("a value of 1 from a faulty source stays in the table") << 3 << QList<double>{1.0} << QList<int>{3};
}

void tst_Dictionary::drawsTakeSlotOneToN()
{
    QFETCH(int, n);
    QFETCH(QList<double>, values);
    QFETCH(QList<int>, expected);
    QStringList words;
    for (int k = 1; k <= n; ++k)
        words.append(QStringLiteral("語%1").arg(k));
    const WordDictionary dictionary(words);
    CountingRandom random(values);
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(pickWord(random, dictionary), words.at(expected.at(i) - 1));
        QCOMPARE(random.reseeds, i + 1); // reseeded before every draw
    }
}

void tst_Dictionary::singleWordListAlwaysGivesThatWord()
{
    TempDataDir dir;
    QVERIFY(dir.write(kTimeLagDictionaryFile, sjis("かぼちゃ\r\n")));
    const DictionaryLoad r = loadDictionary(kTimeLagDictionaryFile);
    QVERIFY(r.ok());
    SeededRandom random(QList<double>{0.0, 0.5, 0.999999});
    for (int i = 0; i < 3; ++i)
        QCOMPARE(pickWord(random, r.dictionary), QString("かぼちゃ"));
    QCOMPARE(dictionaryCaption(Game::TimeLag, r.dictionary.size()), QString("登録ワード一覧 1個"));
    QCOMPARE(dictionaryCaption(Game::Cycle, r.dictionary.size()), QString("登録辞書 1個"));
    QCOMPARE(dictionaryCaption(Game::TimeLag, 120), QString("登録ワード一覧 120個"));
    QCOMPARE(dictionaryCaption(Game::Scrambled, 1), QString());
}

// ---------------------------------------------------------------- cycle refill

void tst_Dictionary::cycleRefillKeepsTheOpeningSize_data()
{
    QTest::addColumn<QByteArray>("later"); // the file at the play start; empty: removed
    QTest::addColumn<int>("problem");
    QTest::addColumn<QStringList>("table");
    QTest::newRow("grown: the new words past N are ignored")
        << sjisLines({"一", "二", "三", "四", "五"}) << int(DictionaryProblem::None) << QStringList{"一", "二", "三"};
    QTest::newRow("shrunk: the later slots keep their words")
        << sjisLines({"一"}) << int(DictionaryProblem::None) << QStringList{"一", "b", "c"};
    QTest::newRow("emptied: the table stays")
        << QByteArray("\r\n") << int(DictionaryProblem::NoWords) << QStringList{"a", "b", "c"};
    QTest::newRow("removed: the table stays")
        << QByteArray() << int(DictionaryProblem::Missing) << QStringList{"a", "b", "c"};
    QTest::newRow("garbled: the table stays")
        << QByteArray("x\r\n\x82\xFF\r\n") << int(DictionaryProblem::NotShiftJis) << QStringList{"a", "b", "c"};
}

void tst_Dictionary::cycleRefillKeepsTheOpeningSize()
{
    QFETCH(QByteArray, later);
    QFETCH(int, problem);
    QFETCH(QStringList, table);
    TempDataDir dir;
    QVERIFY(dir.write(kCycleDictionaryFile, sjisLines({"a", "b", "c"})));
    DictionaryLoad opened = loadDictionary(kCycleDictionaryFile);
    QVERIFY(opened.ok());
    WordDictionary dictionary = opened.dictionary;

    if (later.isEmpty())
        QVERIFY(QFile::remove(kCycleDictionaryFile));
    else
        QVERIFY(dir.write(kCycleDictionaryFile, later));
    const DictionaryLoad refill = refillDictionary(dictionary, kCycleDictionaryFile);
    QCOMPARE(int(refill.problem), problem);
    QCOMPARE(refill.message.isEmpty(), problem == int(DictionaryProblem::None));
    QCOMPARE(dictionary.words(), table);
    // The last draw reaches slot N of the opening size, never past it.
    SeededRandom random(QList<double>{0.999999});
    QCOMPARE(pickWord(random, dictionary), table.last());
}

// ---------------------------------------------------------------- shipped lists

void tst_Dictionary::shippedListsAreUsable_data()
{
    QTest::addColumn<Game>("game");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("kanaOnly");
    QTest::newRow("時間差") << Game::TimeLag << 2 << 6 << false;
    QTest::newRow("輪廻") << Game::Cycle << 2 << 6 << false;
    QTest::newRow("バラバラ") << Game::Scrambled << 3 << kScrambledMaxLength << true;
}

void tst_Dictionary::shippedListsAreUsable()
{
    QFETCH(Game, game);
    QFETCH(int, minLength);
    QFETCH(int, maxLength);
    QFETCH(bool, kanaOnly);
    const QString name = dictionaryFile(game);
    const QByteArray bytes = shippedFile(name);
    QVERIFY2(!bytes.isEmpty(), qPrintable(name));
    TempDataDir dir;
    QVERIFY(dir.write(name, bytes));
    const DictionaryLoad r = loadDictionary(name, game == Game::Scrambled ? kScrambledMaxLength : 0);
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(r.skippedLong, 0);
    const QStringList words = r.dictionary.words();
    QVERIFY2(words.size() >= 200, qPrintable(QString::number(words.size())));

    // One word per line, CR LF, no blank line, no quotes: the words written
    // back line by line give the shipped bytes exactly.
    QCOMPARE(sjisLines(words), bytes);
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size()); // no duplicates
    for (const QString &w : words) {
        QByteArray encoded;
        QVERIFY2(text::encodeCp932(w, &encoded), qPrintable(w));
        const int length = characterCount(w);
        QVERIFY2(length >= minLength && length <= maxLength, qPrintable(w));
        QVERIFY2(!w.contains(QLatin1Char(' ')) && !w.contains(QChar(0x3000)), qPrintable(w));
        if (kanaOnly) {
            for (const QChar c : w) {
                const ushort u = c.unicode();
                const bool kana = (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC;
                QVERIFY2(kana, qPrintable(w));
            }
        }
    }
}

void tst_Dictionary::shippedTypingListsDiffer()
{
    TempDataDir dir;
    QVERIFY(dir.write(kTimeLagDictionaryFile, shippedFile(kTimeLagDictionaryFile)));
    QVERIFY(dir.write(kCycleDictionaryFile, shippedFile(kCycleDictionaryFile)));
    const QStringList timeLag = loadDictionary(kTimeLagDictionaryFile).dictionary.words();
    const QStringList cycle = loadDictionary(kCycleDictionaryFile).dictionary.words();
    QVERIFY(!timeLag.isEmpty() && !cycle.isEmpty());
    const QSet<QString> shared =
        QSet<QString>(timeLag.begin(), timeLag.end()).intersect(QSet<QString>(cycle.begin(), cycle.end()));
    // A player of both games sees mostly different words.
    QVERIFY2(shared.size() * 10 < qMin(timeLag.size(), cycle.size()),
             qPrintable(QStringList(shared.values()).join(',')));
}

QTEST_GUILESS_MAIN(tst_Dictionary)
#include "tst_dictionary.moc"
