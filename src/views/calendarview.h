#pragma once
// The practice calendar (fraCale, カレンダー): the days of the log coloured by practice.
#include "views/placeholderpanel.h"

namespace kioku {

class CalendarView : public PlaceholderPanel {
    Q_OBJECT
public:
    explicit CalendarView(AppContext &ctx, QWidget *parent = nullptr)
        : PlaceholderPanel(ctx, QStringLiteral("fraCale"), QStringLiteral("練習カレンダー"), parent)
    {
    }
};

} // namespace kioku
