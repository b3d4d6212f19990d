#pragma once
// One panel of the main window (the today panel, the edit screen, the diary
// and the views). The panels lie at one place under the menu row; a menu
// button shows its panel in place of the others and rebuilds it from the
// summary of the play log the window has just read. A panel works from that
// summary and its own controls only.
#include "core/gridcolumn.h"
#include "core/stats/logsummary.h"
#include "core/text/textfile.h"

#include <QFrame>

class QLabel;

namespace kioku {

struct AppContext;
class FlexGrid;
class MessageService;

class Panel : public QFrame {
    Q_OBJECT
public:
    // `name` is the panel's objectName (fraMain, fraSettei, fraCale, …).
    Panel(AppContext &ctx, const QString &name, QWidget *parent = nullptr);

    // Refills the panel from the log.
    void rebuild(const LogSummary &log);
    // The text handed to the help tour when a menu button opens the panel ("" for none).
    virtual QString helpText() const { return QString(); }
    // Whether the menu button rebuilds the panel when it shows it. The today
    // panel is only shown again: it is rebuilt when its day changes.
    virtual bool rebuildsWhenShown() const { return true; }
    // Lets go of the grid rows a rebuild filled in while the panel is hidden,
    // so that a long log is held by one panel at a time, not by every panel
    // that was ever opened (and the same for a chart of every play). Only for
    // panels that are rebuilt when shown; the conditions and choices in their
    // controls stay, and charts of a few bars keep their drawing.
    void release();

signals:
    // After every rebuild.
    void rebuilt();

protected:
    virtual void fill(const LogSummary &log) = 0;
    // Tells the user why a file was not written; true when it was not.
    bool writeFailed(const text::WriteResult &w);

    AppContext &m_ctx;
};

// Tells the user why a file was not written ("保存エラー"); true when it was not.
bool reportWriteFailure(MessageService &messages, QWidget *parent, const text::WriteResult &w);

// ---- parts the panels are built from ----
// A bold caption over a grid or a group.
QLabel *boldCaption(const QString &text, QWidget *parent);
// Keeps a grid at least as wide as its columns, so nothing is cut off.
void fitGridWidth(FlexGrid *grid);
GridColumn gridColumn(const char *header, int twips, Qt::Alignment align);

inline constexpr Qt::Alignment kAlignRight = Qt::AlignRight | Qt::AlignVCenter;
inline constexpr Qt::Alignment kAlignCenter = Qt::AlignCenter;
inline constexpr Qt::Alignment kAlignLeft = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace kioku
