#include "core/transfer/csvexport.h"

#include "core/text/formats.h"

#include <QDate>
#include <QTime>

namespace kioku::csv {

namespace {

const QLatin1String kCrLf("\r\n");

bool needsQuotes(QStringView field)
{
    for (QChar c : field) {
        const char16_t u = c.unicode();
        if (u == u',' || u == u'"' || u == u'\r' || u == u'\n')
            return true;
    }
    return false;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QByteArray withMark(const QString &text)
{
    QByteArray out("\xEF\xBB\xBF");
    out += text.toUtf8();
    return out;
}

} // namespace

QStringList playLogHeader()
{
    return {QStringLiteral("回数"), QStringLiteral("日付"), QStringLiteral("時間"),
            QStringLiteral("項目"), QStringLiteral("秒数"), QStringLiteral("一言日記")};
}

void appendField(QString &out, QStringView field)
{
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    out += QLatin1Char('"');
    for (QChar c : field) {
        if (c == QLatin1Char('"'))
            out += QLatin1Char('"');
        out += c;
    }
    out += QLatin1Char('"');
}

QString isoDate(const QString &stored)
{
    // The usual "yyyy/mm/dd" needs no calendar: only its slashes become hyphens.
    if (stored.size() == 10 && stored.at(4) == QLatin1Char('/') && stored.at(7) == QLatin1Char('/')) {
        const QDate d = text::parseDateSlash(stored);
        if (d.isValid()) {
            QString iso = stored;
            iso[4] = QLatin1Char('-');
            iso[7] = QLatin1Char('-');
            return iso;
        }
        return stored;
    }
    const QDate d = text::parseDateSlash(stored);
    return d.isValid() ? d.toString(Qt::ISODate) : stored;
}

QString isoTime(const QString &stored)
{
    if (stored.size() == 8 && stored.at(2) == QLatin1Char(':') && stored.at(5) == QLatin1Char(':')
        && isDigit(stored.at(0)) && isDigit(stored.at(1)) && isDigit(stored.at(3)) && isDigit(stored.at(4))
        && isDigit(stored.at(6)) && isDigit(stored.at(7))) {
        return stored; // already in its ISO form, or no time at all: either way as stored
    }
    const QTime t = QTime::fromString(stored, QStringLiteral("H:m:s"));
    return t.isValid() ? t.toString(QStringLiteral("HH:mm:ss")) : stored;
}

QByteArray tableCsv(const QStringList &header, const QList<QStringList> &rows)
{
    QString out;
    const auto appendRow = [&out](const QStringList &cells) {
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += QLatin1Char(',');
            appendField(out, cells.at(i));
        }
        out += kCrLf;
    };
    appendRow(header);
    for (const QStringList &row : rows)
        appendRow(row);
    return withMark(out);
}

QByteArray playLogCsv(const QList<PlayRecord> &records)
{
    QString out;
    // About what a record takes, so the text grows once or twice, not at every line.
    out.reserve(64 + records.size() * 72);
    const QStringList header = playLogHeader();
    out += header.join(QLatin1Char(','));
    out += kCrLf;
    qsizetype number = 0;
    for (const PlayRecord &r : records) {
        out += QString::number(++number);
        out += QLatin1Char(',');
        appendField(out, isoDate(r.date));
        out += QLatin1Char(',');
        appendField(out, isoTime(r.time));
        out += QLatin1Char(',');
        appendField(out, r.item);
        out += QLatin1Char(',');
        out += text::shortestFloat(r.seconds);
        out += QLatin1Char(',');
        appendField(out, r.comment);
        out += kCrLf;
    }
    return withMark(out);
}

} // namespace kioku::csv
