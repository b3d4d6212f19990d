// The composition root: the application, the data folder, the real clock,
// random source and message boxes, and the first window.
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/random.h"
#include "main/appnavigator.h"
#include "main/appsetup.h"
#include "main/firstpaint.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QDir>

#include <csignal>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    const qint64 startNs = kioku::monotonicNs();
    // A write past the user's file-size limit (ulimit -f) fails with EFBIG and
    // is told like a full disk, instead of the signal ending the program
    // half-way through a save.
    std::signal(SIGXFSZ, SIG_IGN);

    // Read before the application is made, so that --help needs no display.
    QStringList rawArgs;
    for (int i = 0; i < argc; ++i)
        rawArgs.append(QString::fromLocal8Bit(argv[i]));
    const kioku::StartOptions options =
        kioku::parseStartOptions(rawArgs, qEnvironmentVariable(kioku::kDataDirVariable));
    if (options.help) {
        std::fputs(kioku::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    kioku::setUpApplication();

    kioku::QtMessageService messages;

    // A start that cannot go on says why on stderr (seen when started from a
    // terminal, and by scripts) and in a box, then ends having written nothing.
    // The box may say it in other words (`boxText`: a folder by its name only,
    // where stderr gives the whole path).
    const auto refuse = [&messages](const QString &text, const QString &boxText = QString()) {
        QString line = text;
        line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fputs(QStringLiteral("kioku: %1\n").arg(line).toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        if (qEnvironmentVariable(kioku::kNoMessageBoxesVariable) != QLatin1String("1"))
            messages.warn(nullptr, boxText.isEmpty() ? text : boxText, QStringLiteral("起動エラー"));
        return 1;
    };

    if (!options.error.isEmpty())
        return refuse(options.error);

    // Every data file lives in the working folder: the data folder of
    // "--data-dir <folder>", KIOKU_DATA_DIR or the XDG data folder becomes it,
    // created when missing, before anything is read.
    const QString dir = options.dataDir;
    if (!QDir().mkpath(dir) || !QDir::setCurrent(dir)) {
        // The box names the folder by its own name: no place for a whole path.
        const QString name = QDir(dir).dirName().isEmpty() ? dir : QDir(dir).dirName();
        const QString advice = QStringLiteral("\r\n\r\nフォルダの場所と、書き込みの許可を確かめてください。");
        return refuse(QStringLiteral("データフォルダ「%1」を開けませんでした。").arg(QDir::toNativeSeparators(dir)),
                      QStringLiteral("データフォルダ「%1」を開けませんでした。").arg(name) + advice);
    }

    // One program per data folder: a second one would interleave its writes
    // with the first's. Held until the program ends.
    QString lockError;
    const std::unique_ptr<kioku::FolderLock> lock = kioku::lockDataFolder(dir, &lockError);
    if (!lock)
        return refuse(lockError);

    kioku::SystemClock clock;
    const kioku::DataFolderResult prepared = kioku::prepareDataFolder(clock.now());
    if (!prepared.failed.isEmpty()) {
        const QString text = QStringLiteral("次のファイルを作成できませんでした。") + QStringLiteral("\r\n")
            + QStringLiteral("\r\n") + prepared.failed.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n")
            + QStringLiteral("データフォルダ「%1」の空きと、書き込めるかを確かめてください。")
                  .arg(QDir::current().dirName());
        // The program goes on without them: said on stderr and in a box.
        QString line = text;
        line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        std::fputs(QStringLiteral("kioku: %1\n").arg(line.simplified()).toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        if (qEnvironmentVariable(kioku::kNoMessageBoxesVariable) != QLatin1String("1"))
            messages.warn(nullptr, text, QStringLiteral("起動エラー"));
    }

    kioku::SystemRandom random(clock);
    kioku::AppNavigator navigator;
    kioku::AppContext ctx(clock, random, messages, navigator);
    navigator.setContext(ctx);
    ctx.session.offerImport = prepared.firstStart;

    kioku::reportFirstPaintWhenAsked(startNs); // for timing the start-up from outside
    navigator.showMain();
    return QApplication::exec();
}
