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

protected:
    // A new desktop palette: Saturdays and Sundays are shaded anew to read on it.
    void changeEvent(QEvent *e) override;

private:
    void colourWeekends();
};

} // namespace kioku
