#include "settings.h"

#include "core/text/recordline.h"

namespace kioku {

namespace {

// The first line of a small settings file that holds anything at all.
QString firstRecordLine(const QString &name)
{
    const text::ReadResult r = text::readLines(name);
    for (const QString &line : r.lines) {
        if (!line.trimmed().isEmpty())
            return line;
    }
    return QString();
}

} // namespace

int readHelpTour()
{
    const text::RecordReader r(firstRecordLine(kSettingsFile));
    if (r.count() < 2)
        return 1;
    const QString field = r.text(1).trimmed();
    // Only a number switches the tour off; anything garbled leaves it on.
    bool isNumber = false;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            isNumber = true;
            break;
        }
        if (i > 0 || (c != QLatin1Char('-') && c != QLatin1Char('+')))
            break;
    }
    if (!isNumber)
        return 1;
    return r.toInt(1) != 0 ? 1 : 0;
}

text::WriteResult writeHelpTour(int on)
{
    // The writer spells the name in capitals; an existing "設定.txt" keeps its spelling.
    return text::writeLines(QStringLiteral("設定.TXT"),
                            {text::RecordWriter().text(QStringLiteral("ヘルプツアー")).number(on ? 1 : 0).line()});
}

QString readUserName()
{
    return text::RecordReader(firstRecordLine(kNameFile)).text(1);
}

text::WriteResult writeUserName(const QString &name)
{
    return text::writeLines(kNameFile, {text::RecordWriter().text(QStringLiteral("氏名")).text(name).line()});
}

QString mainWindowTitle(const QString &userName)
{
    if (userName.isEmpty())
        return QStringLiteral(" ソラミルプロジェクト３ ～記憶力");
    return QLatin1Char(' ') + userName + QStringLiteral(" の ソラミルプロジェクト３ ～記憶力");
}

const QStringList &historyFileNames()
{
    static const QStringList names = {
        QStringLiteral("数字記憶履歴.txt"),   QStringLiteral("画像記憶履歴.txt"),
        QStringLiteral("アイコン衰弱履歴.txt"), QStringLiteral("追跡記憶履歴.txt"),
        QStringLiteral("時間差履歴.txt"),     QStringLiteral("輪廻記憶履歴.txt"),
        QStringLiteral("バラバラ記憶履歴.txt"),
    };
    return names;
}

} // namespace kioku
