#pragma once
// The month calendar: Japanese locale, weeks starting on Sunday, the selected
// date read and set, a signal when the user clicks a date.
#include <QCalendarWidget>
#include <QColor>
#include <QSet>

namespace kioku {

class MonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget *parent = nullptr);
    // Setting the date programmatically does not emit dateClick.
    void setValue(const QDate &d);
    QDate value() const { return selectedDate(); }
    // Clicks a date as the user would (tests).
    void clickDate(const QDate &d);
    // Frames the days first … last (none when invalid) in `runColour` and puts
    // a dot of `dayColour` on each of `days`.
    void setMarks(const QDate &first, const QDate &last, const QList<QDate> &days, const QColor &runColour,
                  const QColor &dayColour);
    bool framed(const QDate &d) const { return m_first.isValid() && d >= m_first && d <= m_last; }
    bool dotted(const QDate &d) const { return m_days.contains(d); }

signals:
    void dateClick(const QDate &date);

protected:
    // A new desktop palette: Saturdays and Sundays are shaded anew to read on it.
    void changeEvent(QEvent *e) override;
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override;

private:
    void colourWeekends();

    QDate m_first, m_last;
    QSet<QDate> m_days;
    QColor m_runColour, m_dayColour;
};

} // namespace kioku
