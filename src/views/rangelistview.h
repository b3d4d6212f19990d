#pragma once
// The conditional list (fraTaijyu, 範囲指定): the plays of one item, weekday and period.
#include "views/placeholderpanel.h"

namespace kioku {

class RangeListView : public PlaceholderPanel {
    Q_OBJECT
public:
    explicit RangeListView(AppContext &ctx, QWidget *parent = nullptr)
        : PlaceholderPanel(ctx, QStringLiteral("fraTaijyu"), QStringLiteral("範囲を指定したプレイ一覧"), parent)
    {
    }
};

} // namespace kioku
