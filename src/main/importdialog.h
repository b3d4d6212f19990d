#pragma once
// 以前のデータを取り込む: the window that shows what a chosen folder holds and
// what cannot be used in it, and takes it in, merged (まとめる) or in place of
// the data folder's files (置き換える), once OK is pressed. Nothing changes
// before that; the chosen folder is only read.
#include "core/transfer/import.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace kioku {

struct AppContext;
class FlexGrid;

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(AppContext &ctx, transfer::Preview preview, QWidget *parent = nullptr);

    void cmdTorikomiOK_Click();

    QLabel *lblTorikomiFolder;
    FlexGrid *msgTorikomi;
    QRadioButton *optMatomeru, *optOkikaeru;
    QPushButton *cmdTorikomiOK, *cmdTorikomiCancel;

signals:
    // Files of the data folder were changed: the windows show them anew.
    void imported();

private:
    void fillGrid();

    AppContext &m_ctx;
    transfer::Preview m_preview;
};

// The whole way in: asks for a folder, reads it and opens the window over
// `parent` (or tells why the folder cannot be used). The window deletes itself
// when closed and says imported() after files were changed. Returns the window (null
// when none was opened).
ImportDialog *startImport(AppContext &ctx, QWidget *parent);

// At the first start in a new data folder: asks whether the player has an
// older folder to take in, and when so goes the whole way in; `changed` runs
// once files were changed.
void offerImport(AppContext &ctx, QWidget *parent, std::function<void()> changed);

} // namespace kioku
