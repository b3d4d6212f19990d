// The composition root: the application, the data folder, the real clock,
// random source and message boxes, and the first window.
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/random.h"
#include "main/appearance.h"
#include "main/appnavigator.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kioku"));
    QApplication::setApplicationDisplayName(QStringLiteral("ソラミルプロジェクト３"));
    kioku::applyAppearance();

    kioku::QtMessageService messages;

    // Every data file lives in the working folder; "--data-dir <folder>" moves there first.
    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--data-dir"));
    if (at >= 0) {
        const QString dir = at + 1 < args.size() ? args.at(at + 1) : QString();
        if (dir.isEmpty() || !QDir().mkpath(dir) || !QDir::setCurrent(dir)) {
            messages.warn(nullptr,
                          QStringLiteral("データフォルダ「%1」を開けませんでした。").arg(dir),
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
    kioku::AppContext ctx;
    ctx.clock = &clock;
    ctx.random = &random;
    ctx.messages = &messages;
    AppNavigator navigator(ctx);
    ctx.navigator = &navigator;

    navigator.showMain();
    const int rc = QApplication::exec();
    ctx.navigator = nullptr;
    return rc;
}
