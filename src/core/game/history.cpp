#include "core/game/history.h"

#include "core/text/recordline.h"

namespace kioku {

HistoryEntry HistoryEntry::parse(const QString &line, int fieldCount)
{
    QStringList fields = text::splitRecord(line);
    while (fields.size() < fieldCount)
        fields.append(QString());
    return HistoryEntry(fields);
}

QString HistoryEntry::field(int n) const
{
    return n >= 1 && n <= m_fields.size() ? m_fields.at(n - 1) : QString();
}

int HistoryEntry::intField(int n) const
{
    return text::RecordReader(field(n)).toInt(0);
}

double HistoryEntry::numberField(int n) const
{
    return text::leadingNumber(field(n));
}

void HistoryEntry::setField(int n, const QString &value)
{
    if (n < 1)
        return;
    while (m_fields.size() < n)
        m_fields.append(QString());
    m_fields[n - 1] = value;
}

QString HistoryEntry::line(const HistoryFormat &format) const
{
    text::RecordWriter w;
    const int n = qMax(format.fieldCount(), count());
    for (int i = 1; i <= n; ++i) {
        const FieldForm form = i <= format.fieldCount() ? format.fields.at(i - 1) : FieldForm::Text;
        const QString v = field(i);
        switch (form) {
        case FieldForm::Text:
            w.text(v);
            break;
        case FieldForm::Int:
            w.number(intField(i));
            break;
        case FieldForm::Number:
            w.number(numberField(i));
            break;
        case FieldForm::OptionalText:
            if (v.isEmpty())
                w.bare();
            else
                w.text(v);
            break;
        }
    }
    return w.line();
}

HistoryFile readHistory(const HistoryFormat &format)
{
    HistoryFile h;
    const text::ReadResult r = text::readLines(format.fileName);
    h.exists = r.exists;
    h.clean = r.clean;
    h.readError = r.readError;
    h.reason = r.reason;
    h.entries.reserve(r.lines.size());
    for (const QString &l : r.lines) {
        if (text::isBlankLine(l))
            continue;
        h.entries.append(HistoryEntry::parse(l, format.fieldCount()));
    }
    return h;
}

QString historyProblem(const HistoryFile &history, const QString &fileName)
{
    if (history.readError)
        return QStringLiteral("履歴ファイル「%1」を読み込めませんでした。").arg(fileName)
            + (history.reason.isEmpty() ? QString() : QStringLiteral("\r\n") + history.reason);
    if (!history.clean)
        return QStringLiteral("履歴ファイル「%1」に Shift-JIS として読めない文字があります。\r\n"
                              "読めない文字は「\uFFFD」で表示します。")
            .arg(fileName);
    return QString();
}

text::WriteResult appendHistory(const HistoryFormat &format, const HistoryEntry &entry)
{
    return text::appendLine(format.fileName, entry.line(format));
}

text::WriteResult clearHistory(const HistoryFormat &format)
{
    return text::emptyFile(format.fileName);
}

} // namespace kioku
