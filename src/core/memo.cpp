#include "core/memo.h"

#include <QStringList>

namespace kioku {

namespace {

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator
        || c == QChar::ParagraphSeparator;
}

// The lines of a text: CR LF, CR, LF (and the Unicode line and paragraph
// separators a text box may hand over) each end one line. A text that ends in
// a line end has no empty line after it; an empty text has none at all.
QStringList splitLines(const QString &s)
{
    QStringList lines;
    const qsizetype n = s.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        if (!isLineBreak(c)) {
            ++i;
            continue;
        }
        lines.append(s.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && s.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = ++i;
    }
    if (start < n)
        lines.append(s.mid(start));
    return lines;
}

} // namespace

QString memoFileText(const QString &memo)
{
    // The memo's own last line counts even when it is empty: "a\n" is the line
    // "a" and an empty line after it, and the empty memo is one empty line.
    QStringList lines = splitLines(memo);
    if (memo.isEmpty() || isLineBreak(memo.back()))
        lines.append(QString());
    QString all;
    for (const QString &line : std::as_const(lines)) {
        all += line;
        all += QLatin1String("\r\n");
    }
    return all;
}

QString memoFromFileText(const QString &fileText)
{
    return splitLines(fileText).join(QLatin1Char('\n'));
}

MemoRead readMemo()
{
    MemoRead m;
    QString content;
    const text::ReadResult r = text::readAll(kMemoFile, &content);
    m.exists = r.exists;
    m.readError = r.readError;
    m.clean = r.clean;
    m.reason = r.reason;
    if (!r.readError)
        m.text = memoFromFileText(content);
    return m;
}

text::WriteResult writeMemo(const QString &memo)
{
    return text::writeAll(kMemoFile, memoFileText(memo));
}

} // namespace kioku
