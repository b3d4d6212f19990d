// A game's history file (and the records file of icon concentration) on any
// bytes, in the form of the game the first byte chooses.
//
// - An entry read from any line writes as one line, and that line read and
//   written again is the same line (parse → write → parse → write settles
//   after one pass); from a clean code page 932 line it always encodes.
// - readHistory() gives the entries of a plain reading of the decoded file.
// - An appended entry is the last entry afterwards, the others unchanged; a
//   refused append leaves the file as it was; クリア leaves an empty file.
// - The records of icon concentration read, write and read to the same four
//   records; a damaged line reads as no record and is named.
#include "core/game/history.h"
#include "core/rules/cycle.h"
#include "core/rules/iconconcentration.h"
#include "core/rules/imagememory.h"
#include "core/rules/numbermemory.h"
#include "core/rules/scrambled.h"
#include "core/rules/timelag.h"
#include "core/rules/tracking.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "fuzzsupport.h"

#include <cstdint>

using namespace kioku;
using kioku::fuzz::show;

namespace {

QString show(const QList<HistoryEntry> &entries)
{
    QStringList parts;
    for (const HistoryEntry &e : entries)
        parts.append(show(e.fields()));
    return parts.join(QLatin1Char(' '));
}

const QList<const HistoryFormat *> &formats()
{
    static const QList<const HistoryFormat *> all{
        &rules::numberMemoryHistory(), &rules::imageMemoryHistory(), &rules::iconConcentrationHistory(),
        &rules::trackingHistory(),     &rules::timeLagHistory(),     &rules::cycleHistory(),
        &rules::scrambledHistory(),
    };
    return all;
}

void checkLine(const HistoryFormat &format, const QString &line, bool clean)
{
    const HistoryEntry e = HistoryEntry::parse(line, format.fieldCount());
    FUZZ_CHECK(e.count() >= format.fieldCount(), show(line));
    const QString once = e.line(format);
    FUZZ_CHECK(!once.contains(QLatin1Char('\r')) && !once.contains(QLatin1Char('\n')), show(line));
    const HistoryEntry back = HistoryEntry::parse(once, format.fieldCount());
    FUZZ_CHECK(back.count() == e.count(), show(line) + QStringLiteral(" -> ") + show(once));
    const QString twice = back.line(format);
    FUZZ_CHECK(twice == once, show(line) + QStringLiteral(" -> ") + show(once) + QStringLiteral(" -> ") + show(twice));
    FUZZ_CHECK(HistoryEntry::parse(twice, format.fieldCount()) == back, show(line));
    if (clean) {
        QByteArray bytes;
        QString bad;
        FUZZ_CHECK(text::encodeCp932(once, &bytes, &bad), show(line) + QStringLiteral(" cannot hold ") + show(bad));
    }
}

QList<HistoryEntry> expectedEntries(const HistoryFormat &format, const QByteArray &bytes, bool *clean)
{
    QList<HistoryEntry> entries;
    for (const QString &l : fuzz::fileLines(text::decodeFileBytes(bytes, clean))) {
        if (!text::isBlankLine(l))
            entries.append(HistoryEntry::parse(l, format.fieldCount()));
    }
    return entries;
}

void checkFile(const HistoryFormat &format, const QByteArray &bytes, const QStringList &lines)
{
    fuzz::putFile(format.fileName, bytes);
    const HistoryFile h = readHistory(format);
    bool clean = false;
    const QList<HistoryEntry> expected = expectedEntries(format, bytes, &clean);
    FUZZ_CHECK(h.exists && !h.readError && h.clean == clean, show(bytes));
    FUZZ_CHECK(h.entries == expected, show(bytes));

    // A game saves a play: the entry of the first line, as the game would write it.
    const HistoryEntry entry = HistoryEntry::parse(lines.value(0), format.fieldCount());
    const text::WriteResult w = appendHistory(format, entry);
    if (!w.ok) {
        FUZZ_CHECK(!w.message.isEmpty() && fuzz::fileBytes(format.fileName) == bytes, show(bytes));
    } else {
        const HistoryFile after = readHistory(format);
        FUZZ_CHECK(after.entries.size() == h.entries.size() + 1,
                   show(bytes) + QStringLiteral(" + ") + show(lines.value(0)));
        FUZZ_CHECK(after.entries.last() == HistoryEntry::parse(entry.line(format), format.fieldCount()), show(bytes));
        if (h.clean)
            FUZZ_CHECK(after.clean && after.entries.mid(0, h.entries.size()) == h.entries,
                       show(bytes) + QStringLiteral(" read ") + show(h.entries) + QStringLiteral(" then ")
                           + show(after.entries) + QStringLiteral(" from ") + show(fuzz::fileBytes(format.fileName)));
    }

    const text::WriteResult cleared = clearHistory(format);
    FUZZ_CHECK(cleared.ok && fuzz::fileBytes(format.fileName).isEmpty(), cleared.message);
    const HistoryFile empty = readHistory(format);
    FUZZ_CHECK(empty.exists && empty.entries.isEmpty(), show(bytes));
}

void checkIconRecords(const QByteArray &bytes)
{
    using namespace kioku::rules;
    fuzz::putFile(kIconRecordsFile, bytes);
    const IconRecords r = readIconRecords();
    FUZZ_CHECK(!r.readError && r.levels.size() == 4, show(bytes));
    FUZZ_CHECK(r.problem().isEmpty() == (r.badLines.isEmpty() && r.clean), show(bytes));
    const text::WriteResult w = writeIconRecords(r);
    if (!w.ok) {
        FUZZ_CHECK(!w.message.isEmpty() && fuzz::fileBytes(kIconRecordsFile) == bytes, show(bytes));
        return;
    }
    const QByteArray once = fuzz::fileBytes(kIconRecordsFile);
    const IconRecords back = readIconRecords();
    FUZZ_CHECK(back.clean && back.badLines.isEmpty() && back.levels.size() == 4,
               show(bytes) + QStringLiteral(" -> ") + show(once));
    FUZZ_CHECK(writeIconRecords(back).ok && fuzz::fileBytes(kIconRecordsFile) == once,
               show(bytes) + QStringLiteral(" -> ") + show(once) + QStringLiteral(" -> ")
                   + show(fuzz::fileBytes(kIconRecordsFile)));
    if (r.clean && r.badLines.isEmpty())
        FUZZ_CHECK(back.levels == r.levels, show(bytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::enterScratchFolder();
    if (size == 0)
        return 0;
    const int which = data[0] % (formats().size() + 1);
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (which == formats().size()) {
        checkIconRecords(bytes);
        return 0;
    }
    const HistoryFormat &format = *formats().at(which);
    bool clean = false;
    const QStringList lines = fuzz::fileLines(text::decodeFileBytes(bytes, &clean));
    for (const QString &l : lines)
        checkLine(format, l, clean && !text::hasUtf8Mark(bytes));
    checkFile(format, bytes, lines);
    return 0;
}
