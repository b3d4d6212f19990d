#pragma once
// The word lists of the three typing games: reading a list file into a
// WordDictionary, the random choice of a word, the caption of the shown list
// and the cycle game's refill at every play start.
//
// A list file is read with the program's record reader: fields are separated by
// commas or line ends, a quoted field keeps its commas, an unquoted field loses
// its surrounding blanks, and every field is one word, without the blanks,
// half-width or full-width, at either end. The usual form is one word per
// line. Blank lines, empty fields ("a,,b", a trailing comma, "") and fields
// of nothing but blanks give no word, so a word is never empty.
#include "core/game/catalogue.h"

#include <QString>
#include <QStringList>

namespace kioku {
class RandomSource;
}

namespace kioku::rules {

// The list files, in the data folder. Names are matched without regard to
// letter case, so "時間差辞書.TXT" is the same file.
inline const QString kTimeLagDictionaryFile = QStringLiteral("時間差辞書.txt");
inline const QString kCycleDictionaryFile = QStringLiteral("輪廻辞書.txt");
inline const QString kScrambledDictionaryFile = QStringLiteral("バラバラ記憶辞書.TXT");

// The counters of a list are 16-bit: words past this many are left out.
inline constexpr int kMaxDictionaryWords = 32767;
// The scrambled game shows one letter per tile and has nine tiles.
inline constexpr int kScrambledMaxLength = 9;

// The list file of a typing game; empty for the other games.
QString dictionaryFile(Game game);

// Length of a word in characters (not bytes, not UTF-16 units): "かぼちゃ" is 4.
int characterCount(const QString &word);

// A typing window's table of words, in file order. Slots are numbered from 1:
// slot k (1 ≤ k ≤ size()) is the k-th word of the file; there is no slot 0.
// words() is the same table 0-based: words().at(k - 1) is slot k.
class WordDictionary {
public:
    WordDictionary() = default;
    explicit WordDictionary(QStringList words) : m_words(std::move(words)) {}

    // N, the number of slots.
    int size() const { return int(m_words.size()); }
    bool isEmpty() const { return m_words.isEmpty(); }
    // Slot k, 1 ≤ k ≤ size(); empty text for any other k.
    QString word(int slot) const;
    const QStringList &words() const { return m_words; }

    // Puts `words` into slots 1, 2, … without changing the size: words past
    // size() are ignored (a list that grew never overruns the table), and when
    // there are fewer words than slots the later slots keep what they held.
    // Returns how many slots were replaced.
    int refill(const QStringList &words);

private:
    QStringList m_words;
};

// The words of a list file's lines, in order (see the top of this file).
QStringList dictionaryWords(const QStringList &lines);

enum class DictionaryProblem {
    None,
    Missing,     // no file of that name
    Unreadable,  // there, but could not be read (no permission, a folder)
    NotShiftJis, // bytes that are not code page 932 (or a UTF-8 file without its mark)
    NoWords,     // empty, only blank lines, or no word short enough
};

struct DictionaryLoad {
    WordDictionary dictionary; // empty unless ok()
    DictionaryProblem problem = DictionaryProblem::None;
    QString message;     // Japanese, naming the file, for a message box; empty when ok()
    int skippedLong = 0; // words longer than the limit that were left out
    int overLimit = 0;   // words past kMaxDictionaryWords that were left out
    bool ok() const { return problem == DictionaryProblem::None; }
};

// Reads a list file. With `maxLength` > 0, words longer than that many
// characters are left out and counted in skippedLong (the scrambled window
// passes kScrambledMaxLength); when none is left, the problem is NoWords.
// A file with a UTF-8 byte-order mark is read as UTF-8 (as every file of the
// program); one without the mark must be code page 932.
DictionaryLoad loadDictionary(const QString &fileName, int maxLength = 0);

// The cycle window's refill at the start of a play: reads the file again and
// puts its words into the table's slots as WordDictionary::refill does, so the
// table keeps the size it had when the window opened. When the file cannot be
// read or holds no word, the table is left as it was and the result says why.
DictionaryLoad refillDictionary(WordDictionary &table, const QString &fileName);

// The caption of the shown list: "登録ワード一覧 N個" (time-lag),
// "登録辞書 N個" (cycle); empty for the other games (the scrambled window shows no list).
QString dictionaryCaption(Game game, int count);

// For the scrambled window, when some words were left out for their length:
// a note naming the file, the count and the limit.
QString skippedWordsMessage(const QString &fileName, int skipped, int maxLength);

// The random choice: reseeds the source, draws r in [0, 1) and takes slot
// int(N × r) + 1, so every slot 1 … N is equally likely and slot 0 never comes.
// Keeps no memory: the same slot may come twice in a row. 0 when n ≤ 0.
int pickSlot(RandomSource &random, int n);
// The word in that slot; empty text for an empty dictionary (the windows
// refuse to open without a word, so this only guards).
QString pickWord(RandomSource &random, const WordDictionary &dictionary);

} // namespace kioku::rules
