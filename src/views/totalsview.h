#pragma once
// The whole log (fraRenTai, 全グラフ): totals per item and the graphs drawn from them.
#include "views/placeholderpanel.h"

namespace kioku {

class TotalsView : public PlaceholderPanel {
    Q_OBJECT
public:
    explicit TotalsView(AppContext &ctx, QWidget *parent = nullptr)
        : PlaceholderPanel(ctx, QStringLiteral("fraRenTai"), QStringLiteral("全体の集計とグラフ"), parent)
    {
    }
};

} // namespace kioku
