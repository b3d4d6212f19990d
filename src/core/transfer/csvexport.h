#pragma once
// The records as a spreadsheet takes them: UTF-8 with a byte-order mark (so
// that spreadsheet programs read the Japanese text as such), a header row,
// CR LF, a field in double quotes only where it holds a comma, a quote or a
// line break (a quote inside doubled). Dates are written 2026-12-08 and times
// 14:03:05, seconds as bare numbers, so a spreadsheet reads them as dates,
// times and numbers; a field the program cannot read as such is written as it
// is stored, never dropped.
#include "core/playlog/playlog.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace kioku::csv {

// The header of the play log's table: 回数, 日付, 時間, 項目, 秒数, 一言日記 (as the edit screen).
QStringList playLogHeader();

// The play log as a table: one row per record in log order, numbered from 1.
QByteArray playLogCsv(const QList<PlayRecord> &records);

// Any table: `header` then `rows`, each cell written as a field (quoted where
// needed). A row shorter than the header is written as it is.
QByteArray tableCsv(const QStringList &header, const QList<QStringList> &rows);

// "2026/12/08" (also "2026/1/8") as "2026-12-08"; any other text unchanged.
QString isoDate(const QString &stored);
// "14:03:05" (also "9:3:5") as "09:03:05"; any other text unchanged.
QString isoTime(const QString &stored);

// Appends `field` to `out`, in double quotes when it holds a comma, a double
// quote, CR or LF (each quote inside doubled), else as it is.
void appendField(QString &out, QStringView field);

} // namespace kioku::csv
