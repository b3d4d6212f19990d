#pragma once
// Rules of バラバラ記憶 (scrambled typing): the letters of a word appear one by
// one in a scrambled order, freshly shuffled for every pass, and the player
// types the word in its right order. Its settings line, history file, the
// letters of a word and their shuffle, and what a saved play writes.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/rules/typing.h"

#include <QStringList>

namespace kioku {
class RandomSource;
}

namespace kioku::rules {

// The settings line: answer count, play seconds, display seconds per letter, play mode, auto-save.
struct ScrambledSetting {
    enum : int { AnswerCount = 0, PlaySeconds = 1, DisplaySeconds = 2, PlayModeSetting = 3, AutoSave = 4 };
};
const SettingsFormat &scrambledSettings();
// Nine fields: date, time, answers, right, wrong, letters, rate, per second, seconds.
const HistoryFormat &scrambledHistory();

// The display seconds offered per letter: "0.1", "0.2", … "1.0".
QStringList displaySecondsItems();
// The item that shows `seconds`: its "0.0" text when it is a tenth of a
// second, else its shortest text (a value written into the file by hand).
QString displaySecondsItem(float seconds);

// The letters of a word, one per character: a surrogate pair is one letter.
QStringList lettersOf(const QString &word);

// One pass's order of `letters`. The source is reseeded first; then for each
// place k = 1 … n a draw r picks the letter at 0-based place int(left × r) of
// the letters not placed yet. Every order is possible, and equal letters are
// shuffled like different ones.
QStringList scrambleLetters(RandomSource &random, QStringList letters);

// The seconds of a play as the history's last field and the comment give them:
// a timed play's setting in its shortest form ("60"), a counted play's elapsed
// seconds with one decimal, as lblJikan shows them ("41.3", "40.0").
QString scrambledSecondsText(PlayMode mode, float seconds);

// What a saved play writes. r.typed is this game's count of typed characters
// (every submitted answer's characters, right or wrong; right + wrong at the
// end of a counted play); `secondsText` as scrambledSecondsText gives it.
HistoryEntry scrambledEntry(const TypingResult &r, const QString &secondsText);
// The comment reads "秒数 : 41.3   答数 : 10" (three blanks before 答数); the
// seconds field is the number the seconds text shows.
PlayRecord scrambledRecord(const TypingResult &r, const QString &secondsText);

} // namespace kioku::rules
