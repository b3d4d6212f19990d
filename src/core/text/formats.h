#pragma once
// Number, date and time texts shown and stored by the program.
#include <QDate>
#include <QString>
#include <QTime>

namespace kioku::text {

// Shortest decimal text of a single-precision value: at most 7 significant
// digits, no trailing zeros, "." as decimal point, no exponent (12, 0.5, 41.3).
QString shortestFloat(float v);
// The same for a double (up to 15 significant digits).
QString shortestDouble(double v);

// Rounded half away from zero on the decimal value, as the old program's
// formats did: "0.0", "0.00", "0.0%" (of a ratio: 0.75 gives "75.0%").
QString format0_0(double v);
QString format0_00(double v);
QString formatPercent(double ratio);

// Nearest whole number, halves to the even neighbour (2.5 → 2, 3.5 → 4).
qint64 roundHalfEven(double v);
// "h:mm:ss" from whole seconds: hours with at least one digit (0:05:07, 12:00:00).
QString formatHms(qint64 seconds);

QString dateSlash(const QDate &d);  // "yyyy/mm/dd"
QString dateShort(const QDate &d);  // "yy/mm/dd"
QString dateKanji(const QDate &d);  // "yy年mm月dd日"
QString monthKanji(const QDate &d); // "yyyy年mm月"
QString monthShort(const QDate &d); // "yy/mm"
QString timeText(const QTime &t);   // "HH:MM:SS"
// Reads "yyyy/mm/dd" (also "yyyy/m/d"); an invalid QDate when it is not a date.
QDate parseDateSlash(const QString &s);
// "yyyy/mm/dd" text to "yy/mm/dd" text; a text that is not such a date is returned as is.
QString shortenDateText(const QString &s);
// 日 月 火 水 木 金 土 for Qt's dayOfWeek (1 = Monday … 7 = Sunday).
QString weekdayLetter(const QDate &d);

} // namespace kioku::text
