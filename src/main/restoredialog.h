#pragma once
// バックアップから戻す: the copies kept in the backup folder, newest first,
// each with its file, the moment it was made, the change it was made before,
// what it holds and how it differs from the file now; 戻す puts the chosen copy
// back (the current file copied first) and the windows show it at once.
#include "core/transfer/restore.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kioku {

struct AppContext;
class FlexGrid;

class RestoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit RestoreDialog(AppContext &ctx, QWidget *parent = nullptr);

    // Reads the backup folder again and shows its copies.
    void fillGrid();
    void msgModosu_Click();
    void cmdModosu_Click();

    FlexGrid *msgModosu;
    QLabel *lblModosuNone;
    QPushButton *cmdModosu, *cmdModosuClose;

signals:
    // A copy was put back: the windows show the data anew.
    void restored();

private:
    AppContext &m_ctx;
    QList<transfer::BackupCopy> m_copies;
};

} // namespace kioku
