#pragma once
// The aggregates (fraSyuukei, 集計表示): monthly and daily cross tables by item.
#include "views/placeholderpanel.h"

namespace kioku {

class AggregatesView : public PlaceholderPanel {
    Q_OBJECT
public:
    explicit AggregatesView(AppContext &ctx, QWidget *parent = nullptr)
        : PlaceholderPanel(ctx, QStringLiteral("fraSyuukei"), QStringLiteral("月別・日別の集計表"), parent)
    {
    }
};

} // namespace kioku
