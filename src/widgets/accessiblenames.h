#pragma once
// What a screen reader says of each control. Buttons, check boxes and labels
// with text are read by their text; the rest (grids, boxes, pictures, lamps,
// charts, result values) get a Japanese name here, in one place, so that the
// windows need not each set their own:
//  - a table of names by objectName (an array of controls, lblMondai1 …
//    lblMondai15, by its name without the number, which the name may use);
//  - otherwise the caption that stands just before the control in its row
//    ("条件に合うプレイ" before its grid);
//  - a result value is read with its caption and its current value
//    ("正解 6"), a lamp with whether it is lit, a chart with its name and a
//    short summary of its figures.
#include <QString>

class QWidget;

namespace kioku {

class Chart;

// Names every control of every window as it is first shown, and reads the
// values, lamps and charts as they are at the moment. Call once, after the
// QApplication is made.
void installAccessibleNames();

// Names `root` and every control under it now (what installAccessibleNames()
// does for each control as it is shown).
void nameControls(QWidget *root);

// The name a screen reader reads for `w` when it has none of its own: from the
// table or its caption; empty when neither names it.
QString accessibleNameFor(const QWidget *w);

// The figures of a chart in words: how many points, and each label with its
// value(s), or the lowest and highest when they are many.
QString chartSummary(const Chart &chart);

} // namespace kioku
