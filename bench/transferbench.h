#pragma once
// The figures of moving data, for bench_kioku: the preview of an older
// folder, the merge of its log with the data folder's, and a backup copy of
// the log put back. Run in the working (data) folder, whose play log is the
// size being measured; the folder is left as it was found.
#include "playloggen.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/transfer/import.h"
#include "core/transfer/restore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace kioku::bench {

// `row(what, ms, limit)` prints one figure with its target.
inline void
measureTransfer(Clock &clock, qsizetype records,
                const std::function<double(const std::function<void()> &, const std::function<void()> &)> &median,
                const std::function<void(const QString &, double, double)> &row)
{
    QFile current(text::resolve(kPlayLogFile));
    if (!current.open(QIODevice::ReadOnly))
        return;
    const QByteArray currentBytes = current.readAll();
    current.close();
    const auto putLog = [](const QByteArray &bytes) {
        QFile f(text::resolve(kPlayLogFile));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    };

    // The older folder: a log of as many records over the same years, played
    // on another machine (another seed), so that the two interleave.
    QTemporaryDir old;
    GenOptions gen;
    gen.records = int(records);
    gen.endDate = clock.today();
    gen.years = records > 50000 ? 10 : 6;
    gen.seed = 4242;
    QStringList lines;
    for (const PlayRecord &r : PlayLogGenerator(gen).generate())
        lines.append(r.gameLine());
    QByteArray oldBytes;
    transfer::encodeLines(lines, &oldBytes);
    QFile oldLog(QDir(old.path()).filePath(QStringLiteral("データ.TXT")));
    if (!oldLog.open(QIODevice::WriteOnly) || oldLog.write(oldBytes) != oldBytes.size())
        return;
    oldLog.close();

    transfer::Preview preview;
    row(QStringLiteral("import: preview of the older folder"),
        median([&] { preview = transfer::scan(old.path()); }, {}), 300);
    row(QStringLiteral("import: merge both logs and write"),
        median([&] { transfer::apply(transfer::plan(preview, transfer::Mode::Merge), clock.now()); },
               [&] { putLog(currentBytes); }),
        1000);

    // A copy of the log as it was, put back after a row was deleted.
    const QDir backups(QDir::current().filePath(kBackupFolder));
    QDir().mkpath(backups.path());
    const QString copy = QStringLiteral("データ_20200101-000000.txt");
    QFile copyFile(backups.filePath(copy));
    if (copyFile.open(QIODevice::WriteOnly))
        copyFile.write(currentBytes);
    copyFile.close();
    const QByteArray oneLess = currentBytes.mid(currentBytes.indexOf('\n') + 1);
    row(QStringLiteral("restore: a copy of the log put back"),
        median([&] { transfer::restoreBackup(copy, clock.now()); }, [&] { putLog(oneLess); }), 200);

    putLog(currentBytes);
    QDir(backups).removeRecursively();
}

} // namespace kioku::bench
