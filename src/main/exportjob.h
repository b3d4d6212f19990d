#pragma once
// What the export window writes, made from the files of the data folder as
// they are at that moment: the play log as CSV (with every game's history
// beside it when asked), or the report of one month as PDF.
#include "core/transfer/exportfile.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

struct ExportPlan {
    QList<ExportFile> files;
    // Why nothing can be written (a data file that cannot be read), in Japanese; "" when the files are ready.
    QString problem;
    // What the player is told with the success (characters that were not Shift-JIS).
    QStringList notes;
};

// The play log at `path`; with `withHistories` each game's history too, as
// historyCsvPath(path, item), in the order of the games.
ExportPlan csvExport(const QString &path, bool withHistories);
// The report of the month of `month` for `userName`, made on `today`.
ExportPlan reportExport(const QString &path, const QDate &month, const QString &userName, const QDate &today);

// "…/記録.csv" and "数字記憶" give "…/記録_数字記憶.csv".
QString historyCsvPath(const QString &logPath, const QString &item);

} // namespace kioku
