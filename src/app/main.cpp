// The composition root: the application, the data folder, the real clock,
// random source and message boxes, and the first window.
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/random.h"
#include "main/appnavigator.h"
#include "main/appsetup.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
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
    const auto refuse = [&messages](const QString &text) {
        QString line = text;
        line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fputs(QStringLiteral("kioku: %1\n").arg(line).toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        if (qEnvironmentVariable(kioku::kNoMessageBoxesVariable) != QLatin1String("1"))
            messages.warn(nullptr, text, QStringLiteral("起動エラー"));
        return 1;
    };

    if (!options.error.isEmpty())
        return refuse(options.error);

    // Every data file lives in the working folder: the data folder of
    // "--data-dir <folder>", KIOKU_DATA_DIR or the XDG data folder becomes it,
    // created when missing, before anything is read.
    const QString dir = options.dataDir;
    if (!QDir().mkpath(dir) || !QDir::setCurrent(dir)) {
        return refuse(QStringLiteral("データフォルダ「%1」を開けませんでした。").arg(QDir::toNativeSeparators(dir)));
    }

    // One program per data folder: a second one would interleave its writes
    // with the first's. Held until the program ends.
    QString lockError;
    const std::unique_ptr<QLockFile> lock = kioku::lockDataFolder(dir, &lockError);
    if (!lock)
        return refuse(lockError);

    const kioku::DataFolderResult prepared = kioku::prepareDataFolder();
    if (!prepared.failed.isEmpty()) {
        messages.warn(nullptr,
                      QStringLiteral("次のファイルを作成できませんでした。") + QStringLiteral("\r\n")
                          + QStringLiteral("\r\n") + prepared.failed.join(QStringLiteral("\r\n"))
                          + QStringLiteral("\r\n\r\n")
                          + QStringLiteral("フォルダ「%1」に書き込めるか確かめてください。")
                                .arg(QDir::toNativeSeparators(QDir::currentPath())),
                      QStringLiteral("起動エラー"));
    }

    kioku::SystemClock clock;
    kioku::SystemRandom random(clock);
    AppNavigator navigator;
    kioku::AppContext ctx(clock, random, messages, navigator);
    navigator.setContext(ctx);

    navigator.showMain();
    return QApplication::exec();
}
