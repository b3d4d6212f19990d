#pragma once
// Reading a data file line by line: the lines decoded one at a time from the
// whole file's bytes, or the lines as bytes, a block of the file at a time.
#include "core/text/textfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringView>

namespace kioku::text {

// The whole bytes of the file `name` (resolved in the working folder); the
// result says whether it exists and why it could not be read.
ReadResult readFileBytes(const QString &name, QByteArray *bytes);

// The number of LF bytes in `bytes`.
qsizetype countLineFeeds(QByteArrayView bytes);

// The lines of a file one at a time, as readLines() gives them, without the list
// and without a copy of each line. A line is decoded when it is reached, into a
// buffer that the next line reuses.
class LineReader {
public:
    explicit LineReader(const QString &name); // reads the whole file's bytes
    // The next line (valid until the next call); false after the last one.
    bool next(QStringView *line);
    // How many lines the file holds at most (for reserving).
    qsizetype lineCountHint() const;
    // exists and readError at once; clean once every line has been read.
    const ReadResult &result() const { return m_result; }
    // Whether the line next() gave last ended in LF (false only for a last
    // line without its line end).
    bool lineEnded() const { return m_lineEnded; }

private:
    ReadResult m_result;
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    bool m_lineEnded = true;
    QString m_text;         // the whole decoded text, for a file in UTF-8
    QList<char16_t> m_line; // the current line of a code page 932 file
};

// The lines of a file as its bytes, read a block at a time, so that a large
// file is never held whole: for a reader that splits and decodes the lines
// itself (the play log's). Lines end as in readLines(): at LF, a CR before it
// dropped, the last line also without its end; a line is never cut where a
// block ends.
class ByteLineReader {
public:
    explicit ByteLineReader(const QString &name); // reads the first block
    // The next line (valid until the next call); false after the last one, and
    // when the file cannot be read on (result().readError).
    bool next(QByteArrayView *line);
    // exists and readError (clean is not looked at here).
    const ReadResult &result() const { return m_result; }
    // The bytes of the first block, before the first line is taken: to tell a
    // file in UTF-8 by its mark, and to estimate the number of lines.
    QByteArrayView head() const;
    qint64 fileSize() const { return m_size; }
    bool atEnd() const { return m_eof; } // the whole file has been read
    // Whether the line next() gave last ended in LF (false only for a last
    // line without its line end).
    bool lineEnded() const { return m_lineEnded; }
    // From now on a line longer than `bytes` is passed over without ever
    // being held whole (a file of one endless line costs no more memory than
    // a block), and counted in skippedLines().
    void skipLinesLongerThan(qsizetype bytes) { m_longest = bytes; }
    qsizetype skippedLines() const { return m_skipped; }

private:
    bool fill();     // reads the next block behind the bytes not yet taken
    bool skipLine(); // passes over the rest of a line too long; false at the end of the file

    ReadResult m_result;
    QFile m_file;
    qint64 m_size = 0;
    QByteArray m_buffer;
    qsizetype m_begin = 0; // the bytes not yet taken: [m_begin, m_end)
    qsizetype m_end = 0;
    bool m_eof = false;
    bool m_lineEnded = true;
    qsizetype m_longest = 0; // 0: no line is too long
    qsizetype m_skipped = 0;
};

} // namespace kioku::text
