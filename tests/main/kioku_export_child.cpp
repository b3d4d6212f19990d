// Runs one export of the program in a process whose file-size limit is set
// low, so the operating system itself refuses the bytes past the limit
// (EFBIG), as a full disk refuses them with ENOSPC. tst_exportfailure starts it.
//
// Usage: kioku_export_child FOLDER LIMIT TARGET OPERATION
//   csv        the play log of the data folder FOLDER as CSV at TARGET
//   histories  the same, with every game's history beside it
//   pdf        the report of 2026年12月 as PDF at TARGET
// Prints (UTF-8) "ok" or "failed", then the message of a failure.
// Exit code 0 when the export ran, whatever its result; 2 on bad usage.
#include "core/transfer/exportfile.h"
#include "main/appsetup.h"
#include "main/exportjob.h"

#include <QApplication>
#include <QDir>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

void say(const QString &line)
{
    const QByteArray utf8 = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kioku::setUpApplication();
    const QStringList args = QCoreApplication::arguments();
    bool limitOk = false;
    const qulonglong limit = args.value(2).toULongLong(&limitOk);
    const QString op = args.value(4);
    if (args.size() != 5 || !limitOk || !QDir::setCurrent(args.at(1))
        || !QStringList{"csv", "histories", "pdf"}.contains(op)) {
        std::fputs("usage: kioku_export_child FOLDER LIMIT TARGET csv|histories|pdf\n", stderr);
        return 2;
    }
    const QString target = args.at(3);

    // Everything is read and made before the limit is set; only the writing meets it.
    const kioku::ExportPlan plan = op == QLatin1String("pdf")
        ? kioku::reportExport(target, QDate(2026, 12, 1), QStringLiteral("山田"), QDate(2026, 12, 7))
        : kioku::csvExport(target, op == QLatin1String("histories"));
    if (!plan.problem.isEmpty()) {
        say(QStringLiteral("failed"));
        say(plan.problem);
        return 0;
    }

    // Past the limit write() fails with EFBIG instead of the process being killed.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lim{rlim_t(limit), rlim_t(limit)};
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0) {
        std::perror("kioku_export_child: setrlimit");
        return 2;
    }
    const kioku::text::WriteResult r = kioku::writeExportFiles(plan.files);
    say(r.ok ? QStringLiteral("ok") : QStringLiteral("failed"));
    if (!r.ok)
        say(r.message);
    return 0;
}
