// Writes the play log the way the program does, to be killed by tst_killloop
// at a moment of its choosing.
//
// Usage: kioku_kill_child FOLDER OPERATION
//   rewrite  reads the play log and rewrites it, as deleting its first record
//            does (backup copy first, then the atomic rewrite), once
//   append   appends records to the play log one after the other, as games
//            save plays, until it is killed (at most 1,000,000): the n-th
//            record of the log is always appendRecord(n)
// Prints "go" (and flushes) once everything is read and prepared, right
// before the first byte is written; "done" when a rewrite has finished.
// Exit code 0 when the operation ran, 1 when it failed, 2 on bad usage.
#include "core/clock.h"
#include "core/playlog/playlog.h"
#include "killchild.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || !QDir::setCurrent(args.at(1))) {
        std::fputs("usage: kioku_kill_child FOLDER OPERATION\n", stderr);
        return 2;
    }
    const QString op = args.at(2);
    const QList<kioku::PlayRecord> records = kioku::readPlayLog().records;

    if (op == QLatin1String("rewrite")) {
        const kioku::SystemClock clock;
        const QList<kioku::PlayRecord> rest = records.mid(1);
        std::puts("go");
        std::fflush(stdout);
        const kioku::text::WriteResult r = kioku::rewritePlayLog(rest, clock);
        if (!r.ok) {
            std::fputs(r.message.toUtf8().constData(), stderr);
            return 1;
        }
        std::puts("done");
        return 0;
    }
    if (op == QLatin1String("append")) {
        std::puts("go");
        std::fflush(stdout);
        for (int n = int(records.size()); n < 1000000; ++n) {
            const kioku::text::WriteResult r = kioku::appendPlayRecord(kioku::appendRecord(n));
            if (!r.ok) {
                std::fputs(r.message.toUtf8().constData(), stderr);
                return 1;
            }
        }
        return 0;
    }
    std::fputs("kioku_kill_child: unknown operation\n", stderr);
    return 2;
}
