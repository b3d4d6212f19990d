#pragma once
// A way for a starter to time the start-up from outside (bench_start does):
// with the environment variable KIOKU_REPORT_FIRST_PAINT set, the program
// prints one line on stdout when its main window is first painted,
//
//   kioku: first paint <ns> <ms>
//
// <ns> is the monotonic clock (CLOCK_MONOTONIC) at that paint, from which the
// starter takes its own reading of that clock before it started the process;
// <ms> the milliseconds since main() began. With the value "quit" the program
// then ends, exit code 0. Unset, nothing is watched.
#include <QtGlobal>

namespace kioku {

inline constexpr char kReportFirstPaintVariable[] = "KIOKU_REPORT_FIRST_PAINT";

// The monotonic clock in nanoseconds.
qint64 monotonicNs();
// Watches for the first paint when the variable asks for it; `mainStartNs`:
// monotonicNs() as main() began.
void reportFirstPaintWhenAsked(qint64 mainStartNs);

} // namespace kioku
