#pragma once
// The monthly report on paper: one A4 page in PDF with the month's calendar
// coloured as the calendar view colours it, the totals per game and the
// plays and minutes of each day as charts, titled with the month and the
// player's name. The figures come from core (core/transfer/monthfigures.h);
// this only paints them.
#include "core/transfer/monthfigures.h"

#include <QByteArray>
#include <QDate>
#include <QString>

class QPainter;

namespace kioku {

// The report as the bytes of a PDF file, its Japanese text in the program's
// font (IPA Gothic), embedded. `made` is the day it is made, printed in its corner.
QByteArray monthReportPdf(const MonthFigures &figures, const QString &userName, const QDate &made);

// Paints the report on `painter` into `pageWidth` × `pageHeight` points of a
// 96 dpi device (the PDF page inside its margins, or an image of that size).
void paintMonthReport(QPainter &painter, const MonthFigures &figures, const QString &userName, const QDate &made,
                      double pageWidth, double pageHeight);

} // namespace kioku
