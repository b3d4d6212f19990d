#pragma once
// The sorted list (fraBunseki, 並び替え): every record of the play log with its
// comment, in file order when the panel opens, re-sorted by four keys. Each
// key's button sorts ascending and descending in turn; where each button stands
// is kept for the whole run (AppContext::session), across panels and main windows.
#include "views/panel.h"

class QPushButton;

namespace kioku {

class FlexGrid;

class SortedListView : public Panel {
    Q_OBJECT
public:
    explicit SortedListView(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    // The grid cut to its header row, with headers, widths and alignments.
    void setupSortedListGrid();
    // One row per record, in file order.
    void fillSortedList(const QList<PlayRecord> &records);

    void cmdSort1_Click(); // 回 （日付）: the record number, as a number
    void cmdSort2_Click(); // 項目: the item, as text
    void cmdSort3_Click(); // 秒数: the seconds, as a number
    void cmdSort4_Click(); // 一言日記: the comment, as text

    FlexGrid *msgIchiran;
    QPushButton *cmdSort1, *cmdSort2, *cmdSort3, *cmdSort4;

protected:
    void fill(const LogSummary &log) override;

private:
    // Sorts the data rows by sort key `key` (0 … 3, the buttons' order), the
    // other way round from the last sort by that key.
    void sortByKey(int key);
};

} // namespace kioku
