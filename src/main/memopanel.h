#pragma once
// The diary and memo (fraMemo, 一言日記): a one-line comment per record of the
// play log, picked in the grid and saved into the log, and the free memo of
// "メモ.TXT", loaded with the main window and saved by its own button.
//
// Memo edits are never lost unnoticed: the main window asks the panel to save
// them (saveUnsavedMemo) before it starts a game, ends or is closed; edits that
// cannot be stored are given up only when the player says so.
#include "views/panel.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kioku {

class FlexGrid;

class MemoPanel : public Panel {
    Q_OBJECT
public:
    explicit MemoPanel(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    // ---- diary ----
    void msgMemoList_Click();
    void cmdMemoHozon_Click();
    // Enter (13) saves the comment while a row is picked; other keys type.
    void txtMemo_KeyPress(int keyAscii);

    // ---- memo ----
    // Reads "メモ.TXT" into the memo box. A missing file is an empty memo; a
    // file that cannot be read (or holds bytes that are not Shift-JIS) is told
    // to the user and is not overwritten unless the user saves over it.
    void loadMemo();
    void cmdKizukiHozon_Click();
    // Whether the memo box differs from the file as last loaded or saved.
    bool memoModified() const;
    // Saves memo edits that are not saved yet. True when the window may go:
    // saved, nothing to save, or the edits could not be stored and the player
    // chose to leave without them. False when the player chose to go back to
    // the edits (the default of the question): the window then stays open.
    // With mayAsk false nothing is asked: edits that cannot be stored are
    // given up (a desktop logout that allows no questions must not wait).
    bool saveUnsavedMemo(bool mayAsk = true);

    FlexGrid *msgMemoList;
    QLineEdit *txtMemo;
    QPushButton *cmdMemoHozon;
    QPlainTextEdit *txtKizuki;
    QPushButton *cmdKizukiHozon;
    int SelectedLogRow = 0; // the grid row last picked

protected:
    // Opening the panel: the whole log, no row picked yet.
    void fill(const LogSummary &log) override;

private:
    // Writes the memo box over the file; the refusal when it could not.
    text::WriteResult writeMemoBox();

    QString m_savedMemo;        // the memo as the file holds it
    bool m_memoComplete = true; // false: the file could not be read whole
    // The edits the player chose to leave without (they could not be stored);
    // asked again only when the memo is changed after that.
    QString m_givenUpMemo;
    bool m_givenUp = false;
};

} // namespace kioku
