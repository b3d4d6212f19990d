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

#include <cstdio>

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

    // Every data file lives in the working folder: the data folder of
    // "--data-dir <folder>" or KIOKU_DATA_DIR becomes it, created when missing.
    if (!options.error.isEmpty()) {
        messages.warn(nullptr, options.error, QStringLiteral("起動エラー"));
        return 1;
    }
    if (!options.dataDir.isEmpty()) {
        const QString dir = options.dataDir;
        if (!QDir().mkpath(dir) || !QDir::setCurrent(dir)) {
            messages.warn(nullptr,
                          QStringLiteral("データフォルダ「%1」を開けませんでした。").arg(QDir::toNativeSeparators(dir)),
                          QStringLiteral("起動エラー"));
            return 1;
        }
    }

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
