#pragma once
// The month calendar: Japanese locale, weeks starting on Sunday, the selected
// date read and set, a signal when the user clicks a date.
#include <QCalendarWidget>

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

signals:
    void dateClick(const QDate &date);
};

} // namespace kioku
