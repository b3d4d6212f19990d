#include "core/stats/playrows.h"

#include "core/text/formats.h"
#include "core/text/recordline.h"

#include <cstring>

namespace kioku {

QList<PlayField> logFields()
{
    return {PlayField::Number, PlayField::Date,    PlayField::Time,
            PlayField::Item,   PlayField::Seconds, PlayField::Comment};
}

PlayRows::PlayRows(QList<PlayRecord> records, QList<PlayField> fields, std::vector<int> picked, bool usePicked)
    : m_records(std::move(records)), m_fields(std::move(fields)), m_picked(std::move(picked)), m_usePicked(usePicked)
{
}

int PlayRows::count() const
{
    return m_usePicked ? int(m_picked.size()) : int(m_records.size());
}

const PlayRecord &PlayRows::record(int row) const
{
    return m_records.at(m_usePicked ? m_picked[size_t(row)] : row);
}

QString PlayRows::cell(int row, int column) const
{
    if (row < 0 || row >= count() || column < 0 || column >= m_fields.size())
        return {};
    const PlayRecord &r = record(row);
    switch (m_fields.at(column)) {
    case PlayField::Number:
        return QString::number(row + 1);
    case PlayField::Date:
        return r.date;
    case PlayField::Time:
        return r.time;
    case PlayField::Weekday:
        return text::weekdayLetter(text::parseDateSlash(r.date));
    case PlayField::Item:
        return r.item;
    case PlayField::Seconds:
        return text::shortestFloat(r.seconds);
    case PlayField::Comment:
        return r.comment;
    }
    return {};
}

double PlayRows::sortNumber(int row, int column) const
{
    if (row >= 0 && row < count() && column >= 0 && column < m_fields.size()) {
        switch (m_fields.at(column)) {
        case PlayField::Number:
            return double(row + 1);
        case PlayField::Seconds: {
            // Through the text shown: values that differ only beyond the
            // digits shown are equal in a sort, as the user sees them. A log
            // repeats few values, so each is turned into text once.
            const float s = record(row).seconds;
            quint32 bits = 0;
            std::memcpy(&bits, &s, sizeof bits);
            auto it = m_shownSeconds.constFind(bits);
            if (it == m_shownSeconds.cend())
                it = m_shownSeconds.insert(bits, text::leadingNumber(text::shortestFloat(s)));
            return *it;
        }
        default:
            break;
        }
    }
    return GridRows::sortNumber(row, column);
}

QStringList PlayRows::rowTexts(int row) const
{
    QStringList cells;
    cells.reserve(m_fields.size());
    for (int c = 0; c < m_fields.size(); ++c)
        cells.append(cell(row, c));
    return cells;
}

} // namespace kioku
