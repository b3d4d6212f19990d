// Runs one write of the program in a process whose file-size limit is set low,
// so the operating system itself refuses the bytes past the limit (EFBIG), as a
// full disk refuses them with ENOSPC. tst_writefailure starts it.
//
// Usage: kioku_write_child FOLDER LIMIT OPERATION
//   rewrite     reads the play log and rewrites it without its first record
//               (what deleting one row of the edit screen does, its backup
//               copy included, which the limit refuses first)
//   writelines  the same through the atomic whole-file write alone (no backup copy first)
//   diary       rewrites the play log with a diary text put into its first
//               record (the diary screen's save; a backup copy first)
//   newstart    empties the play log after its backup copy (the new start)
//   backup      copies the play log into the backup folder, nothing else
//   tail        moves a cut-off last line of the play log into the fragment file
//   append      appends one record to the play log, as a game saves a play
//   history     appends one line to the history of number memory
//   play        saves a play of number memory: its history line, then its
//               play-log record (the history line taken back when the log refuses)
//   records     takes a new record into the records of icon concentration
//   settings    sets the digit count of number memory to 12 (its settings file)
//   helptour    switches the help tour off (設定.txt)
//   username    writes a new user name (氏名.txt)
//   memo        adds a line to the memo (メモ.TXT)
//   firststart  sets the folder up as a first start does
//   read        reads the play log and its cut-off tail as a start-up does,
//               and prints "records N", "long N", "tail N" and "peak N" (the
//               process's peak memory, kB) after "ok"
//   import      takes the folder KIOKU_IMPORT_FOLDER into the data folder, merged
//               (or replaced with KIOKU_IMPORT_MODE=replace): the folder is
//               read and the new files made before the limit is set
//   restore     puts the backup copy KIOKU_RESTORE_COPY back in place of its file
// Prints (UTF-8) "ok" or "failed", then the message of a failure, or for
// firststart one "written NAME" / "failed NAME" line per file.
// Exit code 0 when the operation ran, whatever its result; 2 on bad usage.
#include "core/backup.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/game/saveplay.h"
#include "core/memo.h"
#include "core/playlog/playlog.h"
#include "core/rules/iconconcentration.h"
#include "core/rules/numbermemory.h"
#include "core/settings.h"
#include "core/text/textfile.h"
#include "core/transfer/fileset.h"
#include "core/transfer/import.h"
#include "core/transfer/restore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

void say(const QString &line)
{
    const QByteArray utf8 = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
}

void report(const kioku::text::WriteResult &r)
{
    say(r.ok ? QStringLiteral("ok") : QStringLiteral("failed"));
    if (!r.ok)
        say(r.message);
}

// The moment of every change the child makes (backup copies are named by it).
class FixedClock : public kioku::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33)); }
    qint64 elapsedNs() const override { return 0; }
    void wait(double) override {}
    void wake() override {}
};

// The play of number memory every saving operation saves: its play-log
// record and its history line.
kioku::PlayRecord aPlay()
{
    kioku::PlayRecord r;
    r.date = QStringLiteral("2026/12/07");
    r.time = QStringLiteral("14:05:33");
    r.item = QStringLiteral("数字記憶");
    r.seconds = 42.5f;
    r.comment = QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%");
    return r;
}

kioku::HistoryEntry aHistoryEntry()
{
    return kioku::HistoryEntry({QStringLiteral("2026/12/07"), QStringLiteral("14:05:33"), QStringLiteral("8桁"),
                                QStringLiteral("8"), QStringLiteral("6"), QStringLiteral("0.5"),
                                QStringLiteral("75.0%")});
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool limitOk = false;
    const qulonglong limit = args.value(2).toULongLong(&limitOk);
    if (args.size() != 4 || !limitOk || !QDir::setCurrent(args.at(1))) {
        std::fputs("usage: kioku_write_child FOLDER LIMIT OPERATION\n", stderr);
        return 2;
    }
    const QString op = args.at(3);

    // Everything is read before the limit is set; only the write itself meets
    // it (the log not for "read", whose reading is what it measures).
    QList<kioku::PlayRecord> records =
        op == QLatin1String("read") ? QList<kioku::PlayRecord>() : kioku::readPlayLog().records;
    kioku::GameSettings settings = kioku::GameSettings::read(kioku::rules::numberMemorySettings());
    kioku::rules::IconRecords iconRecords = kioku::rules::readIconRecords();
    const QString memo = kioku::readMemo().text;
    const FixedClock clock;
    kioku::transfer::Plan importPlan;
    if (op == QLatin1String("import"))
        importPlan = kioku::transfer::plan(kioku::transfer::scan(qEnvironmentVariable("KIOKU_IMPORT_FOLDER")),
                                           qEnvironmentVariable("KIOKU_IMPORT_MODE") == QLatin1String("replace")
                                               ? kioku::transfer::Mode::Replace
                                               : kioku::transfer::Mode::Merge);

    // Past the limit write() fails with EFBIG instead of the process being killed.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{rlim_t(limit), rlim_t(limit)};
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0) {
        std::perror("kioku_write_child: setrlimit");
        return 2;
    }

    if (op == QLatin1String("rewrite")) {
        report(kioku::rewritePlayLog(records.mid(1), clock));
    } else if (op == QLatin1String("writelines")) {
        // The atomic rewrite itself, past the copy the play log's rewrite makes first.
        QStringList lines;
        for (const kioku::PlayRecord &r : records.mid(1))
            lines.append(r.rewriteLine());
        report(kioku::text::writeLines(kioku::kPlayLogFile, lines));
    } else if (op == QLatin1String("diary")) {
        if (!records.isEmpty())
            records.first().comment = QStringLiteral("今日は集中できた。明日は１０桁に挑戦する。");
        report(kioku::rewritePlayLog(records, clock));
    } else if (op == QLatin1String("newstart")) {
        report(kioku::emptyPlayLog(clock));
    } else if (op == QLatin1String("backup")) {
        report(kioku::backUpFile(kioku::kPlayLogFile, clock.now()).asWrite());
    } else if (op == QLatin1String("tail")) {
        const kioku::TailRecovery r = kioku::recoverPlayLogTail();
        report(kioku::text::WriteResult{r.outcome == kioku::TailRecovery::Outcome::Moved, r.message});
    } else if (op == QLatin1String("append")) {
        report(kioku::appendPlayRecord(aPlay()));
    } else if (op == QLatin1String("play")) {
        report(kioku::savePlay(kioku::rules::numberMemoryHistory(), aHistoryEntry(), aPlay()));
    } else if (op == QLatin1String("history")) {
        report(kioku::appendHistory(kioku::rules::numberMemoryHistory(), aHistoryEntry()));
    } else if (op == QLatin1String("records")) {
        kioku::rules::takeResult(iconRecords, QStringLiteral("ノーマル"), 20, QStringLiteral("30.5"));
        report(kioku::rules::writeIconRecords(iconRecords));
    } else if (op == QLatin1String("settings")) {
        settings.setInt(kioku::rules::NumberMemorySetting::DigitCount, 12);
        report(settings.write());
    } else if (op == QLatin1String("helptour")) {
        report(kioku::writeHelpTour(0));
    } else if (op == QLatin1String("username")) {
        report(kioku::writeUserName(QStringLiteral("山田 太郎")));
    } else if (op == QLatin1String("memo")) {
        report(kioku::writeMemo(memo + QStringLiteral("\n明日も続ける。")));
    } else if (op == QLatin1String("import")) {
        report(kioku::transfer::apply(importPlan, clock.now()));
    } else if (op == QLatin1String("restore")) {
        report(kioku::transfer::restoreBackup(qEnvironmentVariable("KIOKU_RESTORE_COPY"), clock.now()));
    } else if (op == QLatin1String("read")) {
        const kioku::TailRecovery tail = kioku::recoverPlayLogTail();
        const kioku::PlayLog log = kioku::readPlayLog();
        say(QStringLiteral("ok"));
        say(QStringLiteral("records %1").arg(log.records.size()));
        say(QStringLiteral("long %1").arg(log.longLines));
        say(QStringLiteral("tail %1").arg(int(tail.outcome)));
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    say(QStringLiteral("peak %1").arg(QString::fromLatin1(line.mid(6).trimmed()).split(' ').first()));
    } else if (op == QLatin1String("firststart")) {
        const kioku::DataFolderResult prepared = kioku::prepareDataFolder();
        say(prepared.failed.isEmpty() ? QStringLiteral("ok") : QStringLiteral("failed"));
        for (const QString &name : prepared.written)
            say(QStringLiteral("written ") + name);
        for (const QString &name : prepared.failed)
            say(QStringLiteral("failed ") + name);
    } else {
        std::fputs("kioku_write_child: unknown operation\n", stderr);
        return 2;
    }
    std::fflush(stdout);
    return 0;
}
