#pragma once
// A panel whose content is still to come: its caption, centred and greyed.
// It has nothing to rebuild and no help text.
#include "views/panel.h"

namespace kioku {

class PlaceholderPanel : public Panel {
    Q_OBJECT
public:
    PlaceholderPanel(AppContext &ctx, const QString &name, const QString &caption, QWidget *parent = nullptr);

protected:
    void fill(const LogSummary &) override {}
};

} // namespace kioku
