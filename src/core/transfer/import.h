#pragma once
// Moving in: the data of another folder (the older program's folder on a USB
// stick, a Windows partition, a folder someone sent) taken into the data
// folder. scan() reads the folder and says what it found and what it cannot
// use, changing nothing; plan() makes the new bytes of every file that would
// change, merged with the data folder's or in place of it; apply() writes them
// all or none (transfer/fileset.h). The imported folder is only ever read.
#include "core/game/catalogue.h"
#include "core/text/textfile.h"
#include "core/transfer/fileset.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku::transfer {

enum class FileKind { PlayLog, History, IconRecords, Memo, Name, Settings, GameSettings, WordList, Icon, Other };

struct FoundFile {
    FileKind kind = FileKind::Other;
    int game = -1;       // the game of a history or game settings file (index of the catalogue)
    QString name;        // its name in the data folder (the program's own spelling; icons and other files their own)
    QString sourceName;  // as it is spelled in the imported folder
    bool usable = true;  // false: not code page 932 nor UTF-8 with its mark, or not readable at all
    QString problem;     // why it cannot be used, in Japanese (!usable)
    QStringList lines;   // the lines it can use, without line ends (text files)
    QByteArray bytes;    // the bytes as they are (icons)
    QList<int> badLines; // numbers (from 1) of the lines it cannot read; they are left out
    qsizetype count = 0; // records, lines or words it holds
    QString firstDate;   // the oldest and newest play (play log and histories), "yyyy/mm/dd"
    QString lastDate;

    // "プレイ記録", "数字記憶の履歴", "アイコン", …
    QString what() const;
    // "1,234 件（2019/04/01 ～ 2024/03/31）", "3 行", "20 語", …
    QString contents() const;
    // "12, 57 行目を読めません" or the reason it cannot be used; "" when all is well.
    QString trouble() const;
};

struct Preview {
    QString folder; // as given, absolute
    QString error;  // the folder itself cannot be used (Japanese); files is then empty
    QList<FoundFile>
        files; // the play log first, then the histories, records, memo, name, settings, lists, icons, others
    // Whether it holds anything the program can use.
    bool usable() const;
};

// Reads `folder` (never writes to it). Names match in any letter case.
Preview scan(const QString &folder);

enum class Mode {
    Merge,   // logs and histories joined, the better records, both memos; the rest stays unless missing
    Replace, // the folder's files take the place of the data folder's
};

struct Plan {
    QList<FileChange> changes; // every file that would change, with its new bytes
    QStringList skipped;       // Japanese: files of the data folder left alone and why
    QString error;             // nothing can be done (Japanese)
};

// The new bytes of every file of the working (data) folder that the import
// changes. Files whose bytes would stay the same are left out.
Plan plan(const Preview &preview, Mode mode);

// Writes the plan: copies first, then every file or none.
text::WriteResult apply(const Plan &plan, const QDateTime &at);

// The text file bytes of lines: code page 932, each line followed by CR LF.
// False when a line holds a character code page 932 cannot hold.
bool encodeLines(const QStringList &lines, QByteArray *out);

// The moment of a record line ("yyyy/mm/dd","HH:MM:SS",…) as yyyymmddHHMMSS,
// -1 when its first two fields are not a date and a time.
qint64 recordStamp(QStringView line);

// Joins two record files (play log or history, `fields` fields, 0 for the
// play log): every line of `current`, and the lines of `incoming` not already
// there, in date and time order (lines of one moment: current first). A line
// of `current` without a date keeps its place after the line before it.
QStringList mergeRecordLines(const QStringList &current, const QStringList &incoming, int fields);

} // namespace kioku::transfer
