#include "games/typing/typingdescription.h"

#include "games/frame/descriptionparts.h"

namespace kioku {

using namespace describe;

QStringList typingAnswerCounts()
{
    return numbers(1, 100);
}

QStringList typingPlaySeconds()
{
    return numbers(10, 180, 5);
}

GameDescription typingDescription(const TypingDescription &t)
{
    GameDescription d;
    d.game = t.game;
    d.caption = t.caption;
    d.settings = t.settings;
    d.autoSaveSetting = t.autoSaveSetting;
    d.history = t.history;
    d.filters = {filterBox(QStringLiteral("cboJikan2"), QStringLiteral("秒数"), t.playSeconds, withSuffix(9, kSec),
                           {QStringLiteral("cboKaisu2")}),
                 filterBox(QStringLiteral("cboKaisu2"), QStringLiteral("答数"), t.answerCounts, sumOf(4, 5),
                           {QStringLiteral("cboJikan2")})};
    d.views = {view(QStringLiteral("cmdKaitou"), QStringLiteral("答数"), 2, {4, 5}, ValueRule::LeadingNumber, true,
                    {QStringLiteral("正解"), QStringLiteral("不正解")}),
               view(QStringLiteral("cmdPByou"), QStringLiteral("秒数"), 1, {9}),
               view(QStringLiteral("cmdRitu"), QStringLiteral("正解率"), 1, {7}, ValueRule::DropLastChar),
               view(QStringLiteral("cmdByou"), QStringLiteral("秒当たり"), 1, {8}),
               view(QStringLiteral("cmdMoji"), QStringLiteral("字数"), 1, {6}),
               t.jisyo};
    d.refreshOrder = {QStringLiteral("cmdByou"), QStringLiteral("cmdRitu"), QStringLiteral("cmdKaitou"),
                      QStringLiteral("cmdPByou")};
    if (!t.jisyo.columns.isEmpty())
        d.refreshOrder << t.jisyo.objectName;
    d.refreshOrder << QStringLiteral("cmdMoji");
    d.initialView = QStringLiteral("cmdKaitou");
    return d;
}

QList<GridColumn> typingColumns(const QString &last)
{
    return {col(QStringLiteral("回"), 570, 0),
            col(QStringLiteral("日付"), 1360, 1, C),
            col(QStringLiteral("時間"), 960, 2, C),
            col(QStringLiteral("答数"), 600, 3),
            col(QStringLiteral("ＯＫ"), 580, 4),
            col(QStringLiteral("ＮＧ"), 580, 5),
            col(QStringLiteral("字数"), 600, 6),
            col(QStringLiteral("正解率"), 860, 7),
            col(QStringLiteral("秒当たり"), 980, 8),
            col(QStringLiteral("秒数"), 980, 9),
            col(last, 360, 10, C)};
}

} // namespace kioku
