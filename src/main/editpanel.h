#pragma once
// The edit screen (fraSettei): every record of the play log, with row deletion,
// the new start that empties all data, and the user name.
#include "core/stats/aggregates.h"
#include "views/panel.h"

class QLineEdit;
class QPushButton;

namespace kioku {

class FlexGrid;
class GoalBox;
class TextSizeBox;

class EditPanel : public Panel {
    Q_OBJECT
public:
    explicit EditPanel(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    void setupLogGrid();
    void fillLogGrid(const QList<PlayRecord> &records);
    // Rewrites the play log from the record rows of the grid. On failure the
    // reason is shown and the file is left as it was; returns whether it was written.
    bool rewriteLogFromGrid();

    void msgHenList_Click();
    void cmdRowDel_Click();
    void cmdNew1_Click();
    void cmdPHozon1_Click();

    FlexGrid *msgHenList;
    QPushButton *cmdRowDel, *cmdNew1, *cmdPHozon1;
    QLineEdit *txtPriData;
    GoalBox *goalBox;       // 1日の目標
    int SelectedLogRow = 0; // the grid row last clicked

signals:
    // The last record was deleted: the log is empty now.
    void lastRecordDeleted();
    // A new name was stored (the window shows it in its title).
    void userNameStored(const QString &name);
    // The new start has emptied all data: the program ends.
    void newStartDone();
    // Another folder's data was taken in, or a backup copy put back.
    void dataReplaced();

protected:
    // Opening the screen: the stored name, the whole log, nothing to delete yet.
    void fill(const LogSummary &log) override;

private:
    bool writeLog(const QList<PlayRecord> &records);

    TextSizeBox *m_textSize = nullptr;
    LogSpan m_span; // the first and last play as last shown: the months the export window offers
};

} // namespace kioku
