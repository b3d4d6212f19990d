#pragma once
// The diary and memo (fraMemo, 一言日記): a comment per record of the log, and the free memo.
#include "views/placeholderpanel.h"

namespace kioku {

class MemoPanel : public PlaceholderPanel {
    Q_OBJECT
public:
    explicit MemoPanel(AppContext &ctx, QWidget *parent = nullptr)
        : PlaceholderPanel(ctx, QStringLiteral("fraMemo"), QStringLiteral("一言日記とメモ"), parent)
    {
    }
};

} // namespace kioku
