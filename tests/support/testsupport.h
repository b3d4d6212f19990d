#pragma once
// Helpers shared by the tests of every layer.
#include "core/playlog/playlog.h"
#include "core/stats/playrows.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh, empty data folder that is the current (working) folder while the
// object lives; the previous current folder comes back on destruction.
class TempDataDir {
public:
    TempDataDir();
    ~TempDataDir();
    TempDataDir(const TempDataDir &) = delete;
    TempDataDir &operator=(const TempDataDir &) = delete;

    // Writes `bytes` as the whole content of `name`; false on failure.
    bool write(const QString &name, const QByteArray &bytes) const;
    // The bytes of `name`, empty when missing.
    QByteArray bytes(const QString &name) const;
    bool exists(const QString &name) const;
    // The names of the files in the folder, sorted.
    QStringList files() const;

private:
    QTemporaryDir m_dir;
    QString m_oldCurrent;
};

namespace kioku {
class FlexGrid;
}
// The texts of column `c` in a grid's data rows (its header row left out).
QStringList columnTexts(const kioku::FlexGrid &grid, int c);

// `s` in code page 932. A character that cannot be encoded is a test-writing
// mistake: a warning is printed and an empty array returned.
QByteArray sjis(const QString &s);
// The lines in code page 932, each followed by CR LF.
QByteArray sjisLines(const QStringList &lines);

// The bytes of a fixture file under tests/data (empty when missing, with a warning).
QByteArray fixture(const QString &relPath);

// Whether a message for the user holds no English words from the system and
// no path (file names and the names of encodings aside).
bool isPlainJapanese(const QString &message);

// One play-log record, as the games save it.
inline kioku::PlayRecord play(const QString &date, const QString &time, const QString &item, float seconds,
                              const QString &comment = QString())
{
    kioku::PlayRecord r;
    r.date = date;
    r.time = time;
    r.item = item;
    r.seconds = seconds;
    r.comment = comment;
    return r;
}

// A log written short, "2026/12/07 数字記憶 300; 2026/12/08": one record per
// entry, at 10:00:00, of 数字記憶 and 60 seconds unless the entry says.
QList<kioku::PlayRecord> logOf(const QString &plays);

// Every row of a list of plays as its texts (empty without a list).
inline QList<QStringList> texts(const std::shared_ptr<const kioku::PlayRows> &rows)
{
    QList<QStringList> out;
    for (int r = 0; rows && r < rows->count(); ++r)
        out.append(rows->rowTexts(r));
    return out;
}

// Lowers this process's file-size limit (RLIMIT_FSIZE) to `bytes` while it
// lives, or until lift(): the operating system itself then refuses every byte
// of a file past that size (EFBIG), as a full disk refuses them, whoever runs
// the test. SIGXFSZ is ignored meanwhile, as the program ignores it, so the
// write fails instead of the process being ended.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    // The old limit back (again harmless).
    void lift();

private:
    bool m_set = false;
    unsigned long long m_oldLimit = 0;
    void (*m_oldHandler)(int) = nullptr;
};
