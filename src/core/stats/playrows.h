#pragma once
// The rows of a list of plays (the edit and diary lists, the sorted list, the
// range list, the list of every play): each row is a play of the log, shared
// with it, shown through a list of fields. Nothing is copied per row.
#include "core/gridrows.h"
#include "core/playlog/playlog.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <vector>

namespace kioku {

enum class PlayField {
    Number,  // the row's place in this list, from 1
    Date,    // as stored
    Time,    // as stored
    Weekday, // the date's weekday letter; empty for a date that is no date
    Item,
    Seconds, // the stored value in its shortest text of at most 7 significant digits
    Comment,
};

// The six columns of a list of records: the edit and diary lists and the sorted list.
QList<PlayField> logFields();

class PlayRows : public GridRows {
public:
    // Every play of `records`, or only those at `picked` (indices into
    // `records`, in the order they are listed).
    PlayRows(QList<PlayRecord> records, QList<PlayField> fields, std::vector<int> picked = {}, bool usePicked = false);

    int count() const override;
    int columns() const override { return int(m_fields.size()); }
    QString cell(int row, int column) const override;
    double sortNumber(int row, int column) const override;

    const PlayRecord &record(int row) const;
    // All cells of one row (tests, and a grid that holds texts).
    QStringList rowTexts(int row) const;

private:
    QList<PlayRecord> m_records;
    QList<PlayField> m_fields;
    std::vector<int> m_picked;
    bool m_usePicked;
    // The number each seconds value shows as, by its bits (filled by sorts).
    mutable QHash<quint32, double> m_shownSeconds;
};

} // namespace kioku
