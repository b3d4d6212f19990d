// gen_playlog: writes a large, realistic play log "データ.txt" into a folder.
//
//   gen_playlog FOLDER [--records N] [--end yyyy/mm/dd | --today] [--years Y]
//               [--seed S] [--force]
//
// Defaults: 30,000 records over six years ending 2026/12/07, seed 20261207, so
// the same file comes out every time. A folder without the program's files
// gets the shipped ones first, as on a first start. An existing non-empty play log in FOLDER
// is kept unless --force is given (a real data folder is never overwritten by
// mistake).
#include "playloggen.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/text/formats.h"
#include "core/text/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

int usage(const QString &error = QString())
{
    QTextStream err(stderr);
    if (!error.isEmpty())
        err << "gen_playlog: " << error << "\n";
    err << "usage: gen_playlog FOLDER [--records N] [--end yyyy/mm/dd | --today] [--years Y]"
           " [--seed S] [--force]\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    kioku::bench::GenOptions opt;
    QString folder;
    bool force = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        bool ok = true;
        if (a == QLatin1String("--records")) {
            opt.records = value().toInt(&ok);
            ok = ok && opt.records >= 0;
        } else if (a == QLatin1String("--end")) {
            opt.endDate = kioku::text::parseDateSlash(value());
            ok = opt.endDate.isValid();
        } else if (a == QLatin1String("--today")) {
            opt.endDate = kioku::SystemClock().today();
        } else if (a == QLatin1String("--years")) {
            opt.years = value().toInt(&ok);
            ok = ok && opt.years >= 1 && opt.years <= 100;
        } else if (a == QLatin1String("--seed")) {
            opt.seed = value().toULongLong(&ok);
        } else if (a == QLatin1String("--force")) {
            force = true;
        } else if (a.startsWith(QLatin1String("--")) || !folder.isEmpty()) {
            return usage(QStringLiteral("unknown argument %1").arg(a));
        } else {
            folder = a;
        }
        if (!ok)
            return usage(QStringLiteral("bad value for %1").arg(a));
    }
    if (folder.isEmpty())
        return usage(QStringLiteral("no folder given"));

    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder))
        return usage(QStringLiteral("cannot use folder %1").arg(folder));
    if (!force && kioku::text::fileExists(kioku::kPlayLogFile)
        && QFileInfo(kioku::text::resolve(kioku::kPlayLogFile)).size() > 0) {
        QTextStream(stderr) << "gen_playlog: "
                            << QFileInfo(kioku::text::resolve(kioku::kPlayLogFile)).absoluteFilePath()
                            << " already holds a play log; use --force to replace it\n";
        return 1;
    }

    // A new folder gets the files the program ships (word lists, icons, settings),
    // as on a first start, so the program can be run on it at once.
    const kioku::DataFolderResult prepared = kioku::prepareDataFolder();
    if (!prepared.failed.isEmpty())
        QTextStream(stderr) << "gen_playlog: could not write " << prepared.failed.join(QStringLiteral(", ")) << "\n";

    const QList<kioku::PlayRecord> records = kioku::bench::PlayLogGenerator(opt).generate();
    const kioku::text::WriteResult w = kioku::bench::writePlayLogTo(QDir::currentPath(), records);
    if (!w.ok) {
        QTextStream(stderr) << "gen_playlog: " << w.message << "\n";
        return 1;
    }
    const QString path = QFileInfo(kioku::text::resolve(kioku::kPlayLogFile)).absoluteFilePath();
    QTextStream(stdout) << "wrote " << records.size() << " records ("
                        << (records.isEmpty() ? QString() : records.first().date) << " - "
                        << (records.isEmpty() ? QString() : records.last().date) << ", " << QFileInfo(path).size()
                        << " bytes) to " << path << "\n";
    return 0;
}
