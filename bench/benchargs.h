#pragma once
// What the benchmarks' command lines share: the offscreen platform unless
// another is asked for, and the values of --runs and --sizes.
#include "testing/headless.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace kioku::bench {

// Before the QApplication is made: it draws offscreen unless QT_QPA_PLATFORM
// names a platform, without the offscreen platform's warnings.
inline void offscreenUnlessAsked()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quietOffscreenWarnings();
}

// The value of --runs: a whole number, at least one.
inline bool readRuns(const QString &text, int *runs)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1)
        return false;
    *runs = n;
    return true;
}

// The value of --sizes, "0,100000": numbers of records, none below zero.
inline bool readSizes(const QString &text, QList<int> *sizes)
{
    QList<int> read;
    for (const QString &n : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int size = n.toInt(&ok);
        if (!ok || size < 0)
            return false;
        read.append(size);
    }
    *sizes = read;
    return true;
}

} // namespace kioku::bench
