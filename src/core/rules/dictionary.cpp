#include "dictionary.h"

#include "core/random.h"
#include "core/text/recordline.h"
#include "core/text/textfile.h"

#include <QFile>
#include <QStringDecoder>

namespace kioku::rules {

namespace {

const QChar kReplacement(0xFFFD);

// Whether `bytes` are UTF-8 with at least one character beyond ASCII: a list
// saved as UTF-8 by an editor that writes no byte-order mark. Text in code
// page 932 is practically never valid UTF-8 (its lead bytes 0x81–0x9F are
// UTF-8 continuation bytes), so this does not misjudge a real list.
bool isUtf8WithoutMark(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return false;
    bool beyondAscii = false;
    for (const char c : bytes) {
        if (uchar(c) >= 0x80) {
            beyondAscii = true;
            break;
        }
    }
    if (!beyondAscii)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    Q_UNUSED(decoded)
    return !utf8.hasError();
}

// The bytes of a list file as stored. Only to tell a UTF-8 file from a code
// page 932 one; reading goes through the text layer.
QByteArray rawBytes(const QString &fileName)
{
    QFile file(text::resolve(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool allAscii(const QStringList &lines)
{
    for (const QString &line : lines) {
        for (const QChar c : line) {
            if (c.unicode() >= 0x80)
                return false;
        }
    }
    return true;
}

DictionaryLoad failed(DictionaryProblem problem, const QString &message)
{
    DictionaryLoad r;
    r.problem = problem;
    r.message = message;
    return r;
}

QString missingMessage(const QString &fileName)
{
    return QStringLiteral("単語辞書「%1」が見つかりません。\r\n"
                          "データフォルダに「%1」を置き、1行に1語ずつ単語を登録してからプレイしてください。")
        .arg(fileName);
}

QString unreadableMessage(const QString &fileName, const QString &reason)
{
    return QStringLiteral("単語辞書「%1」を読み込めませんでした。\r\n").arg(fileName)
        + (reason.isEmpty() ? QString() : reason + QStringLiteral("\r\n"))
        + QStringLiteral("ファイルを読み取れるか（読み取りの許可など）を確かめてから、もう一度開いてください。");
}

QString undecodableMessage(const QString &fileName, int line)
{
    return QStringLiteral("単語辞書「%1」の %2 行目に、Shift-JIS として読めない文字があります。\r\n"
                          "文字コードを Shift-JIS にして保存し直してから、もう一度開いてください。")
        .arg(fileName)
        .arg(line);
}

QString utf8Message(const QString &fileName)
{
    return QStringLiteral("単語辞書「%1」は UTF-8 で保存されているようです。\r\n"
                          "文字コードを Shift-JIS にして保存し直してから、もう一度開いてください。")
        .arg(fileName);
}

QString noWordsMessage(const QString &fileName)
{
    return QStringLiteral("単語辞書「%1」に単語が登録されていません。\r\n"
                          "1行に1語ずつ単語を登録してからプレイしてください。")
        .arg(fileName);
}

QString noShortWordsMessage(const QString &fileName, int skipped, int maxLength)
{
    return QStringLiteral("単語辞書「%1」には %2 文字以内の単語がありません"
                          "（%2 文字を超える単語 %3 個は出題できません）。\r\n"
                          "%2 文字以内の単語を登録してからプレイしてください。")
        .arg(fileName)
        .arg(maxLength)
        .arg(skipped);
}

} // namespace

QString dictionaryFile(Game game)
{
    switch (game) {
    case Game::TimeLag:
        return kTimeLagDictionaryFile;
    case Game::Cycle:
        return kCycleDictionaryFile;
    case Game::Scrambled:
        return kScrambledDictionaryFile;
    default:
        return QString();
    }
}

int characterCount(const QString &word)
{
    int n = 0;
    const qsizetype size = word.size();
    for (qsizetype i = 0; i < size; ++i) {
        // A surrogate pair is one character.
        if (word.at(i).isHighSurrogate() && i + 1 < size && word.at(i + 1).isLowSurrogate())
            ++i;
        ++n;
    }
    return n;
}

QString WordDictionary::word(int slot) const
{
    if (slot < 1 || slot > size())
        return QString();
    return m_words.at(slot - 1);
}

int WordDictionary::refill(const QStringList &words)
{
    const int n = qMin(size(), int(words.size()));
    for (int i = 0; i < n; ++i)
        m_words[i] = words.at(i);
    return n;
}

QStringList dictionaryWords(const QStringList &lines)
{
    QStringList words;
    for (const QString &line : lines) {
        for (const QString &field : text::splitRecord(line)) {
            // Blanks at either end, full-width ones too, cannot be seen on
            // screen and so never typed: the word is what lies between them.
            const QString word = field.trimmed();
            if (!word.isEmpty())
                words.append(word);
        }
    }
    return words;
}

DictionaryLoad loadDictionary(const QString &fileName, int maxLength)
{
    const text::ReadResult read = text::readLines(fileName);
    if (!read.exists)
        return failed(DictionaryProblem::Missing, missingMessage(fileName));
    if (read.readError)
        return failed(DictionaryProblem::Unreadable, unreadableMessage(fileName, read.reason));
    // A UTF-8 file without its mark may well decode as code page 932 without a
    // fault, as nonsense: tell it by its bytes before taking any word from it.
    if ((!read.clean || !allAscii(read.lines)) && isUtf8WithoutMark(rawBytes(fileName)))
        return failed(DictionaryProblem::NotShiftJis, utf8Message(fileName));
    if (!read.clean) {
        int line = 1;
        for (int i = 0; i < read.lines.size(); ++i) {
            if (read.lines.at(i).contains(kReplacement)) {
                line = i + 1;
                break;
            }
        }
        return failed(DictionaryProblem::NotShiftJis, undecodableMessage(fileName, line));
    }

    DictionaryLoad r;
    QStringList words = dictionaryWords(read.lines);
    if (maxLength > 0) {
        QStringList kept;
        kept.reserve(words.size());
        for (const QString &w : std::as_const(words)) {
            if (characterCount(w) > maxLength)
                ++r.skippedLong;
            else
                kept.append(w);
        }
        words = std::move(kept);
    }
    if (words.size() > kMaxDictionaryWords) {
        r.overLimit = int(words.size()) - kMaxDictionaryWords;
        words.erase(words.begin() + kMaxDictionaryWords, words.end());
    }
    if (words.isEmpty()) {
        r.problem = DictionaryProblem::NoWords;
        r.message =
            r.skippedLong > 0 ? noShortWordsMessage(fileName, r.skippedLong, maxLength) : noWordsMessage(fileName);
        return r;
    }
    r.dictionary = WordDictionary(std::move(words));
    return r;
}

DictionaryLoad refillDictionary(WordDictionary &table, const QString &fileName)
{
    DictionaryLoad fresh = loadDictionary(fileName);
    if (fresh.ok())
        table.refill(fresh.dictionary.words());
    return fresh;
}

QString dictionaryCaption(Game game, int count)
{
    switch (game) {
    case Game::TimeLag:
        return QStringLiteral("登録ワード一覧 %1個").arg(count);
    case Game::Cycle:
        return QStringLiteral("登録辞書 %1個").arg(count);
    default:
        return QString();
    }
}

QString skippedWordsMessage(const QString &fileName, int skipped, int maxLength)
{
    return QStringLiteral("単語辞書「%1」の単語のうち %2 個は %3 文字を超えるため、出題しません。")
        .arg(fileName)
        .arg(skipped)
        .arg(maxLength);
}

int pickSlot(RandomSource &random, int n)
{
    if (n <= 0)
        return 0;
    random.reseed();
    // A source gives [0, 1); a value outside still lands in the table.
    const double r = qBound(0.0, random.next(), 1.0);
    return qMin(int(n * r) + 1, n);
}

QString pickWord(RandomSource &random, const WordDictionary &dictionary)
{
    return dictionary.word(pickSlot(random, dictionary.size()));
}

} // namespace kioku::rules
