#include "main/exportjob.h"

#include "core/game/catalogue.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/transfer/csvexport.h"
#include "core/transfer/monthfigures.h"
#include "games/registry.h"
#include "main/monthreport.h"

#include <QDir>
#include <QFileInfo>

namespace kioku {

namespace {

// The log as read, or why it cannot be written out; a log with characters that
// are not Shift-JIS is written with those replaced, and the player told.
bool readLog(PlayLog *log, ExportPlan *plan)
{
    *log = readPlayLog();
    if (log->readError) {
        plan->problem = QStringLiteral("「%1」を読み込めませんでした。").arg(kPlayLogFile) + QStringLiteral("\r\n")
            + log->readFailure;
        return false;
    }
    if (!log->clean)
        plan->notes.append(QStringLiteral("「%1」に Shift-JIS として読めない文字がありました。その文字は置き換えて"
                                          "書き出しました。")
                               .arg(kPlayLogFile));
    return true;
}

// One game's history as a table of the columns its window shows, the
// running number included.
QByteArray historyCsv(const GameDescription &d, const HistoryFile &h)
{
    QStringList header;
    for (const GridColumn &c : d.columns)
        header.append(c.header);
    QList<QStringList> rows;
    rows.reserve(h.entries.size());
    int number = 0;
    for (const HistoryEntry &e : h.entries) {
        QStringList cells;
        cells.reserve(d.columns.size());
        ++number;
        for (const GridColumn &c : d.columns)
            cells.append(c.field == 0 ? QString::number(number) : csv::isoTime(csv::isoDate(e.field(c.field))));
        rows.append(cells);
    }
    return csv::tableCsv(header, rows);
}

} // namespace

QString historyCsvPath(const QString &logPath, const QString &item)
{
    const QFileInfo info(logPath);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("csv") : info.suffix();
    const QString name = info.completeBaseName() + QLatin1Char('_') + item + QLatin1Char('.') + suffix;
    return info.dir().filePath(name);
}

ExportPlan csvExport(const QString &path, bool withHistories)
{
    ExportPlan plan;
    PlayLog log;
    if (!readLog(&log, &plan))
        return plan;
    plan.files.append(ExportFile{path, csv::playLogCsv(log.records)});
    if (!withHistories)
        return plan;
    for (const GameInfo &g : gameCatalogue()) {
        const GameDescription d = describeGame(g.game);
        const HistoryFile h = readHistory(d.history);
        if (h.readError) {
            plan.files.clear();
            plan.problem = historyProblem(h, d.history.fileName);
            return plan;
        }
        if (!h.clean)
            plan.notes.append(QStringLiteral("「%1」に Shift-JIS として読めない文字がありました。その文字は置き換えて"
                                             "書き出しました。")
                                  .arg(d.history.fileName));
        plan.files.append(ExportFile{historyCsvPath(path, g.itemName), historyCsv(d, h)});
    }
    return plan;
}

ExportPlan reportExport(const QString &path, const QDate &month, const QString &userName, const QDate &today)
{
    ExportPlan plan;
    PlayLog log;
    if (!readLog(&log, &plan))
        return plan;
    const MonthFigures figures = monthFigures(log.records, month, today);
    plan.files.append(ExportFile{path, monthReportPdf(figures, userName, today)});
    return plan;
}

} // namespace kioku
