#include "appsetup.h"

#include "appearance.h"

#include <QApplication>

namespace kioku {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("kioku"));
    applyAppearance();
}

StartOptions parseStartOptions(const QStringList &args, const QString &envDataDir)
{
    StartOptions o;
    o.dataDir = envDataDir;
    const QString option = QStringLiteral("--data-dir");
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            o.help = true;
        } else if (a == option || a.startsWith(option + QLatin1Char('='))) {
            QString dir;
            if (a == option) {
                if (i + 1 < args.size())
                    dir = args.at(++i);
            } else {
                dir = a.mid(option.size() + 1);
            }
            if (dir.isEmpty())
                o.error = QStringLiteral("--data-dir の後にデータフォルダを指定してください。");
            else
                o.dataDir = dir;
        }
    }
    return o;
}

QString usageText()
{
    return QStringLiteral("使い方: kioku [--data-dir フォルダ]\n"
                          "\n"
                          "ソラミルプロジェクト３ ～記憶力\n"
                          "\n"
                          "  --data-dir フォルダ  データファイル（設定、練習記録など）を置くフォルダ。\n"
                          "                       無ければ作ります。KIOKU_DATA_DIR より優先します。\n"
                          "  -h, --help           この説明を表示して終わります。\n"
                          "\n"
                          "環境変数:\n"
                          "  KIOKU_DATA_DIR       データフォルダ（--data-dir が無いとき）。\n"
                          "\n"
                          "どちらも無いときは、起動したときの作業フォルダをデータフォルダにします。\n"
                          "初めて使うフォルダには、最初の起動でソフトのファイルを書き込みます。\n");
}

} // namespace kioku
