#pragma once
// A game's history file: one HistoryEntry per saved play, appended at every
// save, read whole when the history grid is filled, emptied by 「クリア」.
#include "core/text/textfile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

// How a history field is written.
enum class FieldForm {
    Text,         // in double quotes
    Int,          // unquoted whole number
    Number,       // unquoted decimal number, written as its text
    OptionalText, // in double quotes, or nothing between the commas when empty
};

struct HistoryFormat {
    QString fileName;
    QList<FieldForm> fields;
    int fieldCount() const { return int(fields.size()); }
};

// One line of a history file as its field texts. Field numbers count from 1,
// as the fields of each history file are numbered.
class HistoryEntry {
public:
    HistoryEntry() = default;
    explicit HistoryEntry(QStringList fields) : m_fields(std::move(fields)) {}

    // Reads a line; a short line gets empty fields up to `fieldCount`.
    static HistoryEntry parse(const QString &line, int fieldCount);

    int count() const { return int(m_fields.size()); }
    QString field(int n) const;      // "" when there is no such field
    int intField(int n) const;       // leading whole number, 0 when none
    double numberField(int n) const; // leading decimal number, 0 when none
    void setField(int n, const QString &value);
    const QStringList &fields() const { return m_fields; }

    // The line in the write form of `format`.
    QString line(const HistoryFormat &format) const;

    bool operator==(const HistoryEntry &o) const { return m_fields == o.m_fields; }
    bool operator!=(const HistoryEntry &o) const { return !(*this == o); }

private:
    QStringList m_fields;
};

struct HistoryFile {
    QList<HistoryEntry> entries; // in file order; blank lines skipped
    bool exists = false;
    bool clean = true; // false: some bytes were not code page 932
    bool readError = false;
    QString reason; // why it could not be read, in Japanese (readError only)
};

// A missing file reads as an empty history.
HistoryFile readHistory(const HistoryFormat &format);
// What the player is told about a history file read from `fileName` that
// could not be read, or not cleanly; empty when it was read whole.
QString historyProblem(const HistoryFile &history, const QString &fileName);
text::WriteResult appendHistory(const HistoryFormat &format, const HistoryEntry &entry);
// Leaves the history file empty.
text::WriteResult clearHistory(const HistoryFormat &format);

} // namespace kioku
