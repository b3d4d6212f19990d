#include "games/visual/digithistory.h"

#include "games/frame/descriptionparts.h"

namespace kioku {

using namespace describe;

QList<GridColumn> digitHistoryColumns()
{
    return {col(QStringLiteral("回"), 475, 0),       col(QStringLiteral("日付"), 1100, 1, C, DateForm::Short),
            col(QStringLiteral("時間"), 1000, 2, C), col(QStringLiteral("成績詳細"), 3500, 3),
            col(QStringLiteral("ＯＫ"), 485, 4),     col(QStringLiteral("ＮＧ"), 485, 5),
            col(QStringLiteral("正解率"), 800, 6),   col(QStringLiteral("秒"), 600, 7)};
}

QList<FilterBox> digitHistoryFilters(const QString &countLabel, const QStringList &counts, const QStringList &times)
{
    return {filterBox(QStringLiteral("cboKaisu2"), countLabel, counts, sumOf(4, 5), {QStringLiteral("cboJikan2")}),
            filterBox(QStringLiteral("cboJikan2"), QStringLiteral("表示秒"), times, withSuffix(7, kSec),
                      {QStringLiteral("cboKaisu2")})};
}

QList<ViewButton> digitHistoryViews()
{
    return {view(QStringLiteral("cmdKaitou"), QStringLiteral("記憶数"), 2, {4, 5}, ValueRule::LeadingNumber, true,
                 {QStringLiteral("正解"), QStringLiteral("不正解")}),
            view(QStringLiteral("cmdRitu"), QStringLiteral("正解率"), 1, {6}, ValueRule::DropLastChar),
            view(QStringLiteral("cmdByou"), QStringLiteral("表示秒"), 1, {7}),
            spareView(QStringLiteral("cmdPByou"), QStringLiteral("予備"))};
}

QStringList digitHistoryRefreshOrder()
{
    return {QStringLiteral("cmdByou"), QStringLiteral("cmdRitu"), QStringLiteral("cmdKaitou"),
            QStringLiteral("cmdPByou")};
}

} // namespace kioku
