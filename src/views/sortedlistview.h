#pragma once
// The sorted list (fraBunseki, 並び替え): every record, sortable by any column.
#include "views/placeholderpanel.h"

namespace kioku {

class SortedListView : public PlaceholderPanel {
    Q_OBJECT
public:
    explicit SortedListView(AppContext &ctx, QWidget *parent = nullptr)
        : PlaceholderPanel(ctx, QStringLiteral("fraBunseki"), QStringLiteral("並び替えたプレイ一覧"), parent)
    {
    }
};

} // namespace kioku
