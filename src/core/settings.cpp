#include "settings.h"

#include "core/text/recordline.h"

namespace kioku {

int readHelpTour(text::ReadResult *status, bool *garbled)
{
    text::ReadResult read;
    const QString line = text::firstFilledLine(kSettingsFile, &read);
    if (status)
        *status = read;
    const text::RecordReader r(line);
    // Only a number switches the tour off; anything missing or garbled leaves it on.
    const bool valid = r.count() >= 2 && text::isPlainNumber(r.text(1).trimmed());
    if (garbled)
        *garbled = !read.readError && (!read.clean || (!line.isEmpty() && !valid));
    if (!valid)
        return 1;
    return r.toInt(1) != 0 ? 1 : 0;
}

text::WriteResult writeHelpTour(int on)
{
    // The writer spells the name in capitals; an existing "設定.txt" keeps its spelling.
    return text::writeLines(QStringLiteral("設定.TXT"),
                            {text::RecordWriter().text(QStringLiteral("ヘルプツアー")).number(on ? 1 : 0).line()});
}

QString readUserName(text::ReadResult *status)
{
    return text::RecordReader(text::firstFilledLine(kNameFile, status)).text(1);
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

} // namespace kioku
