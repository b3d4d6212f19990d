#pragma once
// What the graphs of the main window take from a grid: the short item label
// under each bar and the seconds per hour of the day.
#include <QString>
#include <QtGlobal>

#include <array>

namespace kioku {

// The label of a bar for an item name: its first character when the grid holds
// more than 16 data rows (`gridRows` counts the header row too), else its first two.
QString graphLabel(const QString &item, int gridRows);

// The seconds of the plays per hour of the day (0 … 23), each total rounded to
// a whole number (halves to even) at every addition, as the lists' totals are.
// The totals are 64-bit: years of play in one hour never wrap.
class HourTotals {
public:
    // One play: its time text ("HH:MM:SS", the hour is its first two
    // characters) and its seconds text. A time whose hour is not 0 … 23 counts
    // nowhere.
    void add(const QString &timeText, const QString &secondsText);
    qint64 at(int hour) const { return hour >= 0 && hour < 24 ? m_totals[size_t(hour)] : 0; }
    // The label of hour h on the chart: a blank and the hour without leading zeros (" 9").
    static QString label(int hour);

private:
    std::array<qint64, 24> m_totals{};
};

} // namespace kioku
